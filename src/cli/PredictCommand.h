#pragma once

#include "export/SheetCells.h"

#include "SessionCommand.h"

#include <optional>

namespace cli {

// The options of an area's スタート: its strength levels (indices into StrengthNames), its
// Ｒ７絞り switch and whether ③C枠絞り (Check3) is ticked.
struct StartLevels {
    int single = 3;
    int dbl = 3;
    int opt = 1;
    bool cframe = false;
};

// ①集計, ②集計 and one ③ narrowing for one draw, as a user runs them by hand.
class PredictCommand : public SessionCommand {
    TESSARIN_SESSION_COMMAND(PredictCommand);

private:
    std::optional<StartLevels> levels_;
    int pair_ = 0;
    int singleSize_ = 100;
    int doubleSize_ = 100;
    const simulate::FormAction* narrowing_ = nullptr;
};

// Options predict and verify share: the pair of digit tables, the narrowing sizes and
// switches, the levels of a スタート. A narrowing option (with the given choices) comes from each
// command.
QList<QCommandLineOption> predictionOptions();
// --single-level, --double-level, --r7 and --cframe; none when no level option is given.
// UsageError when they are incomplete, mixed with the sizes or --narrow, or when the window
// would refuse to start with them (its own message).
std::optional<StartLevels> startLevels(const QCommandLineParser& parser);
// Sets the prediction or verification area's levels and switch (with their captions),
// Check3, the narrowing sizes and Check4/Check5 as that area's スタート does.
void applyStartLevels(const StartLevels& levels, mainwindow::MainForm& f, bool verification);
// --xlsx FILE, the option shared by predict and verify.
QCommandLineOption xlsxOption(const QString& description);
// With --xlsx FILE, writes the sheet of the form to FILE from its template; false (the fault
// printed) when it could not. Without the option it does nothing.
bool writeXlsxOption(const QCommandLineParser& parser, exports::Sheet sheet,
                     const mainwindow::MainForm& f, QTextStream& err);
// The index of --pair in Option2's captions; UsageError when it names none.
int chosenPair(const QCommandLineParser& parser);

} // namespace cli
