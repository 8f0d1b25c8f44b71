#pragma once

#include "SessionCommand.h"

namespace cli {

// Fetches one draw's result file and shows it; --append stores it as the next record.
class FetchCommand : public SessionCommand {
    TESSARIN_SESSION_COMMAND(FetchCommand);
    void readOptions(const QCommandLineParser& parser) override;

private:
    int drawNo_ = 0;
};

} // namespace cli
