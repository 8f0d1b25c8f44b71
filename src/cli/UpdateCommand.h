#pragma once

#include "Command.h"

namespace cli {

// The catch-up of the start-up: fetches and appends every draw published since the latest
// one held. Not a SessionCommand: the catch-up is the last step of the load itself.
class UpdateCommand : public Command {
public:
    UpdateCommand();

protected:
    int execute(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) override;
};

} // namespace cli
