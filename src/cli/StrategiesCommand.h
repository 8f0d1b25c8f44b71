#pragma once

#include "SessionCommand.h"
#include "VerifyCommand.h"

namespace cli {

// Every 基本数値 pair with every ③ narrowing tallied over one range, ranked by payout per
// cost, as a table, JSON or CSV.
class StrategiesCommand : public SessionCommand {
public:
    StrategiesCommand();

protected:
    void readOptions(const QCommandLineParser& parser) override;
    int executeWithSession(Session& session, const QCommandLineParser& parser, QTextStream& out,
                           QTextStream& err) override;

private:
    VerifyCommand::Settings settings_;
};

} // namespace cli
