#pragma once

#include "SessionCommand.h"

namespace cli {

// Rebuilds number414.dat from a results CSV file, as the results window's 開　始 does.
class ImportCommand : public SessionCommand {
public:
    ImportCommand();

protected:
    int executeWithSession(Session& session, const QCommandLineParser& parser, QTextStream& out,
                           QTextStream& err) override;
};

} // namespace cli
