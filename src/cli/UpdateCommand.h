#pragma once

#include "Command.h"

#include "ledger/Book.h"

namespace cli {

struct Session;

// The catch-up of the start-up: fetches and appends every draw published since the latest
// one held, and tells each new draw with the results of the tickets bought for it; with
// --notify also in a desktop notification (the weekday fetch runs it so), failures included.
// Not a SessionCommand: the catch-up is the last step of the load itself.
class UpdateCommand : public Command {
public:
    UpdateCommand();

protected:
    int execute(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) override;

private:
    // What one update did, for the notification.
    struct Outcome {
        int code = 0;
        int firstDraw = 0; // the draws appended, when any
        int lastDraw = 0;
        QString failure;       // the first line of what went wrong; empty when nothing did
        bool busy = false;     // another copy of the program was catching up
        ledger::DrawNews news; // of the draws appended
    };
    Outcome update(Session& s, const QCommandLineParser& parser, QTextStream& out,
                   QTextStream& err);
    void notify(Session& s, const Outcome& outcome, QTextStream& err);
};

} // namespace cli
