#pragma once

#include "Bindings.h"
#include "QtHost.h"

#include "cardprint/PrintListForm.h"
#include "cardprint/TransferForm.h"

#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QPushButton;

namespace mainwindow {
class MainForm;
}

namespace gui {

class CardWindows;

// What the three card windows share: a window of its own over a card form whose handlers run
// through the owner, and closing it runs the form's own close handler. A form with an
// activation handler runs it whenever its window comes to the front, one with a deactivation
// handler whenever the user leaves its window.
template <typename Form, typename View> class CardWindow : public QWidget {
public:
    CardWindow(Form& form, CardWindows& owner, void (Form::*onClose)());
    Bindings bind;
    // The window's own control: the transfer label, the print list, the card drawing.
    View* view() const { return view_; }
    // Brings the widgets up to date with the form, then the rest of the window (afterRefresh).
    void refresh();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // A "閉じる" button that runs the given handler of the form.
    QPushButton* closeButton(void (Form::*handler)());

    Form& form_;
    CardWindows& owner_;
    View* view_ = nullptr;
    // Input on the view once it is watched (installEventFilter(this)); true when taken.
    std::function<bool(QEvent*)> viewEvent;
    std::function<void()> afterRefresh;

private:
    void (Form::*onClose_)();
};

// The transfer window's view (frmPrtunagi).
class TransferWindow : public CardWindow<cardprint::TransferForm, QLabel> {
public:
    TransferWindow(cardprint::TransferForm& form, CardWindows& owner);
};

// The print-list window's view (frmPrintn4).
class PrintListWindow : public CardWindow<cardprint::PrintListForm, GridView> {
public:
    PrintListWindow(cardprint::PrintListForm& form, CardWindows& owner);
};

// The print-position window's view (frmPrsetn4): the six text boxes over a drawing of the
// card's mark area.
class PrintPositionWindow : public CardWindow<cardprint::PrintPositionForm, QWidget> {
public:
    PrintPositionWindow(cardprint::PrintPositionForm& form, CardWindows& owner);
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
