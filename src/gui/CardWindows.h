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

// The transfer window's view (frmPrtunagi).
class TransferWindow : public QWidget {
public:
    TransferWindow(cardprint::TransferForm& form, CardWindows& owner);
    void refresh();
    QLabel* transferLabel() const { return action_; }
    Bindings bind;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    cardprint::TransferForm& form_;
    CardWindows& owner_;
    QLabel* action_ = nullptr;
};

// The print-list window's view (frmPrintn4).
class PrintListWindow : public QWidget {
public:
    PrintListWindow(cardprint::PrintListForm& form, CardWindows& owner);
    void refresh();
    GridView* listView() const { return list_; }
    Bindings bind;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    cardprint::PrintListForm& form_;
    CardWindows& owner_;
    GridView* list_ = nullptr;
};

// The print-position window's view (frmPrsetn4): the six text boxes over a drawing of the
// card's mark area.
class PrintPositionWindow : public QWidget {
public:
    PrintPositionWindow(cardprint::PrintPositionForm& form, CardWindows& owner);
    void refresh();
    Bindings bind;

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    cardprint::PrintPositionForm& form_;
    CardWindows& owner_;
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
