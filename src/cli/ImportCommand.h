#pragma once

#include "Command.h"

namespace cli {

// Rebuilds number414.dat from a results CSV file, as the results window's 開　始 does. The
// history is not loaded first: a damaged one is what an import repairs.
class ImportCommand : public Command {
public:
    ImportCommand();

protected:
    int execute(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) override;
};

} // namespace cli
