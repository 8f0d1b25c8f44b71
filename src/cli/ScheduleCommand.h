#pragma once

#include "Command.h"

namespace cli {

// The weekday fetch (systemd user timer): on, off, or how it stands and when it runs next.
class ScheduleCommand : public Command {
public:
    ScheduleCommand();

protected:
    int execute(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) override;
};

} // namespace cli
