#include "BenchSupport.h"

#include "download/DownloadForm.h"
#include "history/DataFolder.h"

#include <QDir>
#include <QFile>

#include <cstdlib>
#include <iostream>

BenchWorkspace::BenchWorkspace()
    : host(QDateTime(QDate(2026, 8, 24), QTime(9, 0))), previous_(QDir::currentPath()) {
    QDir::setCurrent(dir_.path());
    history::chooseDataFolder(dir_.path());
    QFile::copy(QStringLiteral(TESSARIN_BUNDLED_CSV),
                dir_.filePath(QStringLiteral("numbers4_2.csv")));
    form = std::make_unique<mainwindow::MainForm>(host, module);
    download::DownloadForm importer(host, module, *form);
    if (!importer.Command8_Click()) {
        std::cerr << "could not import the bundled history\n";
        std::exit(1);
    }
    form->Form_Load(false);
}

BenchWorkspace::~BenchWorkspace() {
    module.files.CloseAll();
    QDir::setCurrent(previous_);
    history::chooseDataFolder(QString());
}
