#pragma once

#include "SessionCommand.h"

namespace cli {

// The default command: the latest draw, the next draw and its date, the number of records.
class SummaryCommand : public SessionCommand {
public:
    SummaryCommand();

protected:
    int executeWithSession(Session& session, const QCommandLineParser& parser, QTextStream& out,
                           QTextStream& err) override;
};

} // namespace cli
