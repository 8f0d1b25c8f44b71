#include "Program.h"
#include "BusyBar.h"
#include "LedgerWindow.h"
#include "OwnedWindow.h"

#include "download/FirstStart.h"
#include "history/DataFolder.h"
#include "history/HistoryFiles.h"

#include <QAction>
#include <QFile>
#include <QFileSystemWatcher>
#include <QMenu>
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
    addScheduleToResultsMenu();
    watchHistory();
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

void Program::addScheduleToResultsMenu() {
    QMenu* menu = window->resultsMenu();
    QAction* timer = menu->addAction(results.CheckTimer.caption);
    timer->setCheckable(true);
    const auto show = [this, timer] {
        timer->setChecked(results.CheckTimer.value != 0);
        timer->setEnabled(results.scheduleProblem.isEmpty());
        timer->setToolTip(results.scheduleProblem.isEmpty()
                              ? QStringLiteral("平日19:30（日本時間）に抽選結果を取得し、"
                                               "購入記録の当選をデスクトップに知らせます")
                              : results.scheduleProblem);
    };
    // systemctl is asked each time the menu opens: the command line may have changed it.
    QObject::connect(menu, &QMenu::aboutToShow, window.get(), [this, show] {
        window->run([this] { results.readSchedule(); });
        show();
    });
    QObject::connect(timer, &QAction::triggered, window.get(), [this, show](bool on) {
        results.CheckTimer.value = on ? 1 : 0;
        window->run([this] { results.CheckTimer_Click(); });
        show();
    });
}

void Program::watchHistory() {
    const QString path = module.files.appFile(history::historyFileName());
    auto* watcher = new QFileSystemWatcher(window.get());
    auto* recheck = new QTimer(window.get());
    recheck->setSingleShot(true);
    recheck->setInterval(300); // a burst of appends is read once
    const auto watch = [watcher, path] {
        // A history rebuilt elsewhere is a new file under the old name.
        if (!watcher->files().contains(path) && QFile::exists(path))
            watcher->addPath(path);
    };
    watch();
    QObject::connect(watcher, &QFileSystemWatcher::fileChanged, recheck, [watch, recheck] {
        watch();
        recheck->start();
    });
    QObject::connect(recheck, &QTimer::timeout, window.get(), [this, recheck, watch] {
        watch();
        bool done = true;
        if (!host.handlerWaiting() && !form.startRunning())
            window->run([this, &done] { done = results.historyChanged(); });
        else
            done = false;
        if (!done)
            recheck->start(1000);
    });
}

void Program::refreshLedger() {
    if (auto* shown = ownedWindow<LedgerWindow>(window.get()))
        shown->refresh();
}

} // namespace gui
