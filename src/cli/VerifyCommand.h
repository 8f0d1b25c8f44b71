#pragma once

#include "PredictCommand.h"
#include "SessionCommand.h"

#include <optional>

namespace cli {

// シュミ集計 over a month, over a count of draws or over the whole history, with an optional
// purchase what-if, printed as a table, JSON or CSV.
class VerifyCommand : public SessionCommand {
    TESSARIN_SESSION_COMMAND(VerifyCommand);

public:
    // What the options ask for, read before anything is loaded.
    struct Settings {
        std::optional<std::pair<int, int>> month; // year and month, else a count of draws
        bool all = false;                         // every draw instead
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

    // The range, sizes, switches and output format that verify and strategies share.
    static Settings readRangeSettings(const QCommandLineParser& parser);
    // The verification controls of the main window as the settings ask; UsageError when
    // the range holds nothing to verify.
    static void applySettings(const Settings& s, mainwindow::MainForm& f, int draw);
    // applySettings on the session's form, the draw taken from --draw; false (the fault
    // printed) when there is no history.
    static bool applyToSession(const Settings& s, Session& session,
                               const QCommandLineParser& parser, QTextStream& err);

private:
    Settings settings_;
};

// Whether the words ask verify for a chart, which needs a QApplication.
bool needsChartApplication(const QStringList& args);

} // namespace cli
