#pragma once

#include "SessionCommand.h"

namespace cli {

// The stored draws (draw, number, type, box payout, date) and the next draw.
class HistoryCommand : public SessionCommand {
    TESSARIN_SESSION_COMMAND(HistoryCommand);
    void readOptions(const QCommandLineParser& parser) override;

private:
    int last_ = -1; // how many of the latest draws; -1 for all
};

} // namespace cli
