#pragma once

#include "Command.h"
#include "Options.h"
#include "Session.h"

namespace cli {

// A command that works on the loaded history: run() reads its options, then loads the main
// window headless as the start-up does (without the download of the catch-up) and hands
// the session to executeWithSession().
class SessionCommand : public Command {
public:
    using Command::Command;

protected:
    // Reads and checks the options before anything is loaded; throws UsageError.
    virtual void readOptions(const QCommandLineParser& parser) { Q_UNUSED(parser); }
    virtual int executeWithSession(Session& session, const QCommandLineParser& parser,
                                   QTextStream& out, QTextStream& err) = 0;

    // Set by the commands whose output stands for the latest draws: a history that is behind
    // is told on the error stream (as the window tells it under its header) before they run.
    bool warnsOfOldHistory = false;

private:
    int execute(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) final;
};

} // namespace cli

// The members every session command declares: its constructor (name, help, options) and the
// work on the loaded history. A command with options of its own also overrides readOptions.
// Leaves the class in its protected part.
#define TESSARIN_SESSION_COMMAND(Name)                                                             \
public:                                                                                            \
    Name();                                                                                        \
                                                                                                   \
protected:                                                                                         \
    int executeWithSession(Session& session, const QCommandLineParser& parser, QTextStream& out,   \
                           QTextStream& err) override
