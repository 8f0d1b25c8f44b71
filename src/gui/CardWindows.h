#pragma once

#include "Bindings.h"
#include "QtHost.h"

#include "cardprint/PrintListForm.h"
#include "cardprint/TransferForm.h"

#include <QWidget>

#include <functional>
#include <memory>

class QLabel;

namespace mainwindow {
class MainForm;
}

namespace gui {

class CardWindows;

// What the three card windows share: a window of its own over a card form whose handlers run
// through the owner, and closing it runs the form's own close handler.
template <typename Form> class CardWindow : public QWidget {
public:
    CardWindow(Form& form, CardWindows& owner, void (Form::*onClose)());
    Bindings bind;

protected:
    void closeEvent(QCloseEvent* event) override;

    Form& form_;
    CardWindows& owner_;

private:
    void (Form::*onClose_)();
};

// The transfer window's view (frmPrtunagi).
class TransferWindow : public CardWindow<cardprint::TransferForm> {
public:
    TransferWindow(cardprint::TransferForm& form, CardWindows& owner);
    void refresh();
    QLabel* transferLabel() const { return action_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLabel* action_ = nullptr;
};

// The print-list window's view (frmPrintn4).
class PrintListWindow : public CardWindow<cardprint::PrintListForm> {
public:
    PrintListWindow(cardprint::PrintListForm& form, CardWindows& owner);
    void refresh();
    GridView* listView() const { return list_; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    GridView* list_ = nullptr;
};

// The print-position window's view (frmPrsetn4): the six text boxes over a drawing of the
// card's mark area.
class PrintPositionWindow : public CardWindow<cardprint::PrintPositionForm> {
public:
    PrintPositionWindow(cardprint::PrintPositionForm& form, CardWindows& owner);
    void refresh();

protected:
    bool event(QEvent* event) override;

private:
    QWidget* drawing_ = nullptr;
};

// The three card windows and their forms. The main window's Picture4 calls openTransfer().
class CardWindows {
public:
    CardWindows(mainwindow::MainForm& mainForm, QtHost& host, history::AppModule& module,
                QWidget* parent = nullptr);
    ~CardWindows();

    void openTransfer();
    // Runs a handler of a card form, reports a file error, and brings every window up to date.
    void run(const std::function<void()>& handler, QWidget* over);
    void refresh();
    bool running() const { return running_; }

    cardprint::PrintListForm printList;
    cardprint::TransferForm transfer;
    std::unique_ptr<TransferWindow> transferWindow;
    std::unique_ptr<PrintListWindow> printListWindow;
    std::unique_ptr<PrintPositionWindow> positionWindow;

private:
    QtHost& host_;
    std::function<void()> previousAfterEvents_;
    bool running_ = false;
};

} // namespace gui
