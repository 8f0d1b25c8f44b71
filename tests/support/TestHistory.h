#pragma once

#include "history/AppModule.h"
#include "history/DrawRecord.h"
#include "mainwindow/MainForm.h"
#include "ui/RecordingHost.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "QtPrinters.h"

namespace testing_support {

// A draw for a hand-made history: number, date "YYYY/MM/DD", box payout.
struct Draw {
    QString number;
    QString date;
    int boxPayout = 0;
};

history::DrawRecord makeRecord(int drawNo, const Draw& draw);

// Bytes of a whole history file holding the given draws as draws 1, 2, ...
QByteArray historyBytes(const std::vector<Draw>& draws);

// Draws on consecutive weekdays from the given date, numbers taken in turn from the list.
std::vector<Draw> weekdayDraws(int count, const QString& firstDate,
                               const std::vector<QString>& numbers);

// The first date (yyyy/MM/dd) of count weekday draws whose last falls on lastDate, or on
// the weekday before it.
QString firstWeekdayEndingOn(int count, QDate lastDate);

// A date as the operator writes it: "令和8年9月17日".
QString reiwaDate(const QDate& date);

// The bundled real history, as records in draw order (draw 1 first).
std::vector<history::DrawRecord> bundledHistory();

QByteArray readFile(const QString& path);
void writeFile(const QString& path, const QByteArray& bytes);

// Exactly one message shown, holding `part`; with no part (null), none shown at all.
::testing::AssertionResult told(const ui::RecordingHost& host, const QString& part);
inline ::testing::AssertionResult told(const ui::RecordingHost& host, const char16_t* part) {
    return told(host, part ? QString::fromUtf16(part) : QString());
}

// Rows from..to of a grid, each as its cells 0..cols-1 joined by "|"; by default to the last
// row and across every column.
QStringList gridRows(const ui::Grid& grid, int from = 0, int to = -1, int cols = -1);

// An application object made on first use (Qt's SQL drivers and fonts want one), for tests
// run by GoogleTest's own main.
template <class App> void qtApp() {
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    static App app(argc, argv);
}

// A temporary working folder made the current directory and the data folder for the test's
// lifetime, with a main window over it (not yet loaded). The user's data folder
// (XDG_DATA_HOME) points inside it as well.
class Workspace {
public:
    explicit Workspace(QDateTime now = QDateTime(QDate(2026, 8, 24), QTime(9, 0)));
    ~Workspace();

    QString path(const QString& name) const { return dir_.filePath(name); }
    void writeHistory(const std::vector<Draw>& draws);
    void writeHistoryRecords(const std::vector<history::DrawRecord>& records);
    // Loads the main window as the program's start-up does, without the catch-up.
    mainwindow::MainForm& load();

    ui::RecordingHost host;
    history::AppModule module;
    std::unique_ptr<mainwindow::MainForm> form;

private:
    QTemporaryDir dir_;
    QString previous_;
    QString previousChoice_;
    QByteArray previousXdg_;
};

} // namespace testing_support
