#pragma once

#include "SessionCommand.h"
#include "VerifyCommand.h"

namespace cli {

// Every 基本数値 pair with every ③ narrowing tallied over one range, ranked by payout per
// cost, as a table, JSON or CSV.
class StrategiesCommand : public SessionCommand {
    TESSARIN_SESSION_COMMAND(StrategiesCommand);

private:
    VerifyCommand::Settings settings_;
};

} // namespace cli
