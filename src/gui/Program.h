#pragma once

#include "CardWindows.h"
#include "DownloadWindow.h"
#include "MainWindow.h"
#include "QtHost.h"

#include "download/DownloadForm.h"
#include "history/AppModule.h"
#include "ledger/LedgerForm.h"
#include "mainwindow/MainForm.h"

#include <memory>

namespace gui {

class BusyBar;

// The program's windows over one history, and its start-up: the main window is loaded and
// shown, and only then does its last start-up step, the catch-up of the results window,
// run, with its downloads shown in the main window's status bar.
class Program {
public:
    Program();
    ~Program();

    // Seeds a data folder without draws from the bundled history, loads and shows the main
    // window and queues the catch-up for the event loop. Returns false, after a message, when
    // the history cannot be made or read.
    bool start();
    bool catchUpQueued() const { return catchUpQueued_; }

    QtHost host;
    history::AppModule module;
    mainwindow::MainForm form{host, module};
    download::DownloadForm results{host, module, form};
    std::unique_ptr<MainWindow> window;
    DownloadWindow* resultsWindow = nullptr; // owned by window
    BusyBar* busy = nullptr;                 // owned by window
    std::unique_ptr<CardWindows> cards;
    ledger::LedgerForm ledgerForm{host, module};

private:
    // The 購入記録 window, when it was opened, shows what the form holds now.
    void refreshLedger();
    // The check box of the weekday fetch in the results menu.
    void addScheduleToResultsMenu();
    // Another copy of the program (the weekday fetch, the command line) may write the history
    // while the window is open: the window reads it again once no handler is under way and
    // the writer has let go of the data folder.
    void watchHistory();

    bool catchUpQueued_ = false;
};

} // namespace gui
