#pragma once

#include "Command.h"

namespace cli {

// tessarin-cli tickets: the ledger of bought tickets (tickets.sqlite in the data folder):
// add, list, summary, remove, import and export. Results come from the history as it is
// now; nothing about them is stored.
class TicketsCommand : public Command {
public:
    TicketsCommand();

protected:
    int execute(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) override;
};

} // namespace cli
