#pragma once

#include "SessionCommand.h"

namespace cli {

// Every 基本数値 pair with every ③ narrowing tallied over one range, ranked by payout per
// cost, as a table, JSON or CSV.
class StrategiesCommand : public SessionCommand {
    TESSARIN_SESSION_COMMAND(StrategiesCommand);
    void readOptions(const QCommandLineParser& parser) override;

private:
    TallySettings settings_;
};

} // namespace cli
