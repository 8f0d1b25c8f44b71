#pragma once

#include "history/AppModule.h"
#include "ui/Controls.h"
#include "ui/Host.h"

#include <array>

namespace mainwindow {
class MainForm;
}

namespace download {

// The results window, frmDownL: fetching the operator's result files, appending draws,
// the catch-up, and the regeneration of the history from numbers4_2.csv.
class DownloadForm {
public:
    DownloadForm(ui::Host& host, history::AppModule& module, mainwindow::MainForm& mainForm);

    // Rebuilds number414.dat from the import file named by Label4(0). The new history is
    // built beside the old one as number414.tmp and renamed over it only when every line
    // was read, so a bad import file leaves the old history exactly as it was. Returns
    // whether the history was replaced.
    bool Command8_Click();

    ui::Host& host;
    history::AppModule& module;
    history::HistoryFiles& files;
    mainwindow::MainForm& mainForm;

    ui::Frame Frame1{QStringLiteral("データ取込み")};
    std::array<ui::Label, 2> Label4{ui::Label{QStringLiteral("numbers4_2.csv")},
                                    ui::Label{QStringLiteral("number414.dat")}};
    ui::Button Command8{QStringLiteral("開　始")};
};

} // namespace download
