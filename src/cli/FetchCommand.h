#pragma once

#include "SessionCommand.h"

namespace cli {

// Fetches one draw's result file and shows it; --append stores it as the next record.
class FetchCommand : public SessionCommand {
public:
    FetchCommand();

protected:
    void readOptions(const QCommandLineParser& parser) override;
    int executeWithSession(Session& session, const QCommandLineParser& parser, QTextStream& out,
                           QTextStream& err) override;

private:
    int drawNo_ = 0;
};

} // namespace cli
