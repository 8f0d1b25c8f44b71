#pragma once

#include "download/DownloadForm.h"
#include "history/AppModule.h"
#include "mainwindow/MainForm.h"
#include "simulate/Actions.h"
#include "ui/Host.h"

#include <QTextStream>

#include <span>

namespace cli {

// Messages go to the error stream as lines; there is nobody to press OK.
class ConsoleHost : public ui::Host {
public:
    explicit ConsoleHost(QTextStream& err) : err_(err) {}
    void processEvents() override {}
    // The system's clock, unless one is set (the tests fix "now" with it).
    QDateTime now() const override { return clock ? clock() : QDateTime::currentDateTime(); }
    inline static std::function<QDateTime()> clock;
    // Long work runs here; with showProgress its progress keeps one line of the error stream
    // up to date ("シュミ集計中… 1200/7004").
    bool runInBackground(const std::function<void()>& work, const QString& progressText,
                         std::atomic_bool& stop) override;
    void reportProgress(int done, int total) override;
    bool showProgress = false;
    QString lastMessage; // the text of the last message shown, lines broken by LF

protected:
    void showMessage(const QString& text, const QString& title) override;

private:
    QTextStream& err_;
    QString progressText_;
    int shownPercent_ = -1;
};

// The windows of the program, made headless in the current directory; nothing is read
// until the main window's Form_Load runs.
struct Session {
    explicit Session(QTextStream& err);
    ConsoleHost host;
    history::AppModule module;
    mainwindow::MainForm form;
    download::DownloadForm downloadForm;
};

// What a message about a damaged history tells the user of the command line to do.
QString historyAdvice();

// The first start in a data folder without draws: the bundled history is made its
// number414.dat (told on the error stream). False when that failed (also told).
bool seedDataFolder(Session& session);

// A main window that is never loaded: its option captions and button captions, for the
// help and for checking options before anything is read.
const mainwindow::MainForm& windowCaptions();

// The keys of the buttons, each with its caption: "sw（③S・W絞り）, cframe（③C枠絞り）".
// tallyOnly keeps the narrowings シュミ集計 can replay.
QString describeActions(std::span<const simulate::FormAction> actions, bool tallyOnly = false);
// The button whose key is given; UsageError naming the choices of `option` when none is.
const simulate::FormAction& chooseAction(std::span<const simulate::FormAction> actions,
                                         const QString& key, const QString& option,
                                         bool tallyOnly = false);

// "次回: 第N回 date", the draw after the latest one as the start-up shows it.
void printNextDraw(const mainwindow::MainForm& form, QTextStream& out);

} // namespace cli
