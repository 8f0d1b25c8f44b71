#pragma once

#include "Options.h"
#include "SessionCommand.h"

#include <optional>

namespace cli {

// ①集計, ②集計 and one ③ narrowing for one draw, as a user runs them by hand.
class PredictCommand : public SessionCommand {
    TESSARIN_SESSION_COMMAND(PredictCommand);
    void readOptions(const QCommandLineParser& parser) override;

private:
    std::optional<StartLevels> levels_;
    int pair_ = 0;
    int singleSize_ = 100;
    int doubleSize_ = 100;
    const simulate::FormAction* narrowing_ = nullptr;
};

} // namespace cli
