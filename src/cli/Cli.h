#pragma once

#include "download/DownloadForm.h"
#include "export/SheetCells.h"
#include "history/AppModule.h"
#include "mainwindow/MainForm.h"
#include "ui/Host.h"

#include <QMap>
#include <QSet>
#include <QStringList>
#include <QTextStream>

#include <memory>

namespace cli {

// Messages go to the error stream as lines; there is nobody to press OK.
class ConsoleHost : public ui::Host {
public:
    explicit ConsoleHost(QTextStream& err) : err_(err) {}
    void messageBox(const QString& text, const QString& title) override;
    void processEvents() override {}
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    int messageCount() const { return count_; }

private:
    QTextStream& err_;
    int count_ = 0;
};

// The windows of the program, loaded headless in the current directory.
struct Session {
    explicit Session(QTextStream& err);
    ConsoleHost host;
    history::AppModule module;
    mainwindow::MainForm form;
    download::DownloadForm downloadForm;
};

// Options of one command: flags, options with a value, and the words left over.
struct Args {
    QSet<QString> flags;
    QMap<QString, QString> values;
    QStringList positional;
    QString error; // set when the command line could not be read

    bool has(const QString& flag) const { return flags.contains(flag); }
    QString value(const QString& name, const QString& fallback = QString()) const {
        return values.value(name, fallback);
    }
    // A whole number option; sets error when the value is not one.
    int intValue(const QString& name, int fallback);
};

// Prints the command line's fault, if any; true when there was one.
bool usageError(const Args& args, QTextStream& err);

// --xlsx FILE: writes the sheet of the form to FILE from its template; false (the fault
// printed) when it could not. Without the option it does nothing.
bool writeXlsxOption(const Args& args, exports::Sheet sheet, const mainwindow::MainForm& f,
                     QTextStream& err);

Args parseArgs(const QStringList& words, const QSet<QString>& flags, const QSet<QString>& valued);

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

// The whole command line: args excludes the program name. Returns the exit code.
int run(const QStringList& args, QTextStream& out, QTextStream& err);

// Commands, each given the words after its name.
int cmdSummary(const QStringList& words, QTextStream& out, QTextStream& err);
int cmdImport(const QStringList& words, QTextStream& out, QTextStream& err);
int cmdHistory(const QStringList& words, QTextStream& out, QTextStream& err);
int cmdPredict(const QStringList& words, QTextStream& out, QTextStream& err);
int cmdVerify(const QStringList& words, QTextStream& out, QTextStream& err);
int cmdBack100(const QStringList& words, QTextStream& out, QTextStream& err);
int cmdUpdate(const QStringList& words, QTextStream& out, QTextStream& err);
int cmdFetch(const QStringList& words, QTextStream& out, QTextStream& err);

} // namespace cli
