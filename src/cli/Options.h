#pragma once

#include "Command.h"
#include "Session.h"

#include "export/SheetCells.h"

#include <optional>
#include <utility>

namespace cli {

// Options several commands share, and what they set on the main window.

// --draw N: from 1 to the draw after the latest one; by default the draw after the latest.
QCommandLineOption drawOption(const QString& description);
int chosenDraw(const QCommandLineParser& parser, const mainwindow::MainForm& form);

// The options of an area's スタート: its strength levels (indices into StrengthNames), its
// Ｒ７絞り switch and whether ③C枠絞り (Check3) is ticked.
struct StartLevels {
    int single = 3;
    int dbl = 3;
    int opt = 1;
    bool cframe = false;
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

// What verify and strategies read before anything is loaded: the range, the sizes and
// switches of the tally, the narrowing, the what-if and the output format.
struct TallySettings {
    std::optional<std::pair<int, int>> month; // year and month, else a count of draws
    bool all = false;                         // every draw instead
    int count = 0;
    int pair = 0;
    const simulate::FormAction* narrowing = &simulate::narrowings().front();
    const simulate::FormAction* whatIf = nullptr; // none: no what-if
    int singleSize = 100;
    int doubleSize = 100;
    std::optional<StartLevels> levels; // instead of the sizes and the narrowing
    bool more = false;
    bool cframe2 = false;
    enum class Format { Table, Json, Csv } format = Format::Table;
};

// --month, --count or --all, the sizes, --more, --cframe2 and --json or --csv; UsageError when
// they do not go together.
TallySettings readTallyRange(const QCommandLineParser& parser);
// The verification controls of the main window as the settings ask, the count counted back
// from `draw`; UsageError when the range holds nothing to verify.
void applyTallySettings(const TallySettings& s, mainwindow::MainForm& f, int draw);
// applyTallySettings on the session's form, the draw taken from --draw; false (the fault
// printed) when there is no history.
bool applyTallyToSession(const TallySettings& s, Session& session, const QCommandLineParser& parser,
                         QTextStream& err);

} // namespace cli
