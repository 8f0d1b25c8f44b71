#pragma once

#include "SessionCommand.h"

namespace cli {

// シュミ集計 over a month, over a count of draws or over the whole history, with an optional
// purchase what-if, printed as a table, JSON or CSV.
class VerifyCommand : public SessionCommand {
    TESSARIN_SESSION_COMMAND(VerifyCommand);
    void readOptions(const QCommandLineParser& parser) override;

public:
    // The chart is painted: Qt Gui.
    ApplicationKind applicationKind(const QStringList& words) const override;

private:
    TallySettings settings_;
};

} // namespace cli
