#pragma once

#include "SessionCommand.h"

namespace cli {

// Back100件: the 100 draws before a draw, each with the last earlier draw of the same box.
class Back100Command : public SessionCommand {
    TESSARIN_SESSION_COMMAND(Back100Command);
};

} // namespace cli
