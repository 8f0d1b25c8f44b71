#pragma once

#include "history/AppModule.h"
#include "ui/Host.h"

namespace mainwindow {
class MainForm;
}

namespace download {

enum class FirstStart {
    NotNeeded, // the data folder already holds draws
    Seeded,    // the bundled history was copied there and number414.dat made from it
    Failed     // told to the user; nothing was changed
};

// The first start in a data folder without draws (no number414.dat, or an empty one): the
// bundled numbers4_2.csv is copied into the folder and number414.dat regenerated from it the
// way the results window's regeneration does, so the program opens on a history rather than
// on nothing. Either outcome is told in one line naming the folder. Runs before the main
// window's start-up; captures the data folder into module.files.AppDir.
FirstStart seedFirstStart(ui::Host& host, history::AppModule& module,
                          mainwindow::MainForm& mainForm);

} // namespace download
