#pragma once

#include "SessionCommand.h"

namespace cli {

// Back100件: the 100 draws before a draw, each with the last earlier draw of the same box.
class Back100Command : public SessionCommand {
public:
    Back100Command();

protected:
    int executeWithSession(Session& session, const QCommandLineParser& parser, QTextStream& out,
                           QTextStream& err) override;
};

} // namespace cli
