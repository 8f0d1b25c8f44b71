#pragma once

#include "history/AppModule.h"
#include "mainwindow/MainForm.h"
#include "ui/RecordingHost.h"

#include <QTemporaryDir>

#include <memory>

// A working folder holding the bundled history as number414.dat, made the current
// directory, with a main window loaded over it.
class BenchWorkspace {
public:
    BenchWorkspace();
    ~BenchWorkspace();

    ui::RecordingHost host;
    history::AppModule module;
    std::unique_ptr<mainwindow::MainForm> form;

private:
    QTemporaryDir dir_;
    QString previous_;
};
