#pragma once

#include "PredictCommand.h"
#include "SessionCommand.h"

#include <optional>

namespace cli {

// シュミ集計 over a month or over a count of draws, with an optional purchase what-if,
// printed as a table, JSON or CSV.
class VerifyCommand : public SessionCommand {
public:
    VerifyCommand();

    // What the options ask for, read before anything is loaded.
    struct Settings {
        std::optional<std::pair<int, int>> month; // year and month, else a count of draws
        int count = 0;
        int pair = 0;
        const simulate::FormAction* narrowing = nullptr;
        const simulate::FormAction* whatIf = nullptr; // none: no what-if
        int singleSize = 100;
        int doubleSize = 100;
        std::optional<StartLevels> levels; // instead of the sizes and the narrowing
        bool more = false;
        bool cframe2 = false;
        enum class Format { Table, Json, Csv } format = Format::Table;
    };

protected:
    void readOptions(const QCommandLineParser& parser) override;
    int executeWithSession(Session& session, const QCommandLineParser& parser, QTextStream& out,
                           QTextStream& err) override;

private:
    Settings settings_;
};

} // namespace cli
