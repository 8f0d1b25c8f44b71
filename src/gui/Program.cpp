#include "Program.h"
#include "BusyBar.h"
#include "LedgerWindow.h"
#include "OwnedWindow.h"

#include "download/FirstStart.h"
#include "history/HistoryFiles.h"

#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>

namespace gui {

Program::Program() {
    // The results window is loaded hidden before the start-up, whose last step is its
    // catch-up.
    results.Form_Load();
}

Program::~Program() {
    host.progress = nullptr;
    host.soundDone = nullptr;
}

bool Program::start() {
    // The load decides whether the catch-up is due (not with an empty history); it runs once
    // the window is on screen, so that a slow or absent network never leaves the player
    // looking at nothing.
    bool catchUpDue = false;
    form.catchUp = [&catchUpDue] { catchUpDue = true; };
    try {
        // A data folder without draws first gets the bundled history (said in a message box).
        if (download::seedFirstStart(host, module, form) == download::FirstStart::Failed)
            return false;
        form.Form_Load(true);
    } catch (const history::FileError& e) {
        module.files.CloseAll();
        QMessageBox::critical(nullptr, ui::applicationTitle(), e.message());
        return false;
    }
    form.catchUp = [this] { results.SaisinKousin(); };

    window = std::make_unique<MainWindow>(form, host);
    busy = new BusyBar;
    window->statusBar()->addWidget(busy, 1);
    host.progress = busy;
    resultsWindow = new DownloadWindow(results, host, window.get());
    window->showResultsWindow = [this] {
        resultsWindow->show();
        resultsWindow->raise();
        resultsWindow->activateWindow();
    };
    cards = std::make_unique<CardWindows>(form, host, module, window.get());
    window->openCardTransfer = [this] { cards->openTransfer(); };
    // The ledger hears of every print and of every draw the catch-up appends.
    window->openLedger = [this] { LedgerWindow::open(ledgerForm, host, window.get()); };
    cards->printList.afterPrint = [this] {
        std::vector<ledger::LedgerForm::Printed> printed;
        for (const auto& p : cards->printList.lastPrinted)
            printed.push_back({p.number(), ledger::BuyType(p.buyType)});
        ledgerForm.offerPrinted(printed);
        refreshLedger();
    };
    results.afterAppend = [this](int firstDraw, int lastDraw) {
        ledgerForm.announceDraws(firstDraw, lastDraw);
        refreshLedger();
    };
    host.soundDone = [this] { window->run([this] { form.MMControl1_Done(); }); };
    window->show();
    window->place();
    if (catchUpDue) {
        catchUpQueued_ = true;
        QTimer::singleShot(0, window.get(), [this] {
            window->run(form.catchUp);
            catchUpQueued_ = false;
        });
    }
    return true;
}

void Program::refreshLedger() {
    if (auto* shown = ownedWindow<LedgerWindow>(window.get()))
        shown->refresh();
}

} // namespace gui
