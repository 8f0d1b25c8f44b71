#pragma once

#include "SessionCommand.h"

namespace cli {

// Every 基本数値 pair with every ③ narrowing tallied over one range, ranked by payout per
// cost, as a table, JSON or CSV; or, with --walk-forward, what playing each draw with the
// setting ranked first over the draws just before it would have done.
class StrategiesCommand : public SessionCommand {
    TESSARIN_SESSION_COMMAND(StrategiesCommand);
    void readOptions(const QCommandLineParser& parser) override;

private:
    TallySettings settings_;
    bool walkForward_ = false;
    int walkWindow_ = 100;
};

} // namespace cli
