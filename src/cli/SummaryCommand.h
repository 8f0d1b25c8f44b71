#pragma once

#include "SessionCommand.h"

namespace cli {

// The default command: the latest draw, the next draw and its date, the number of records.
class SummaryCommand : public SessionCommand {
    TESSARIN_SESSION_COMMAND(SummaryCommand);
};

} // namespace cli
