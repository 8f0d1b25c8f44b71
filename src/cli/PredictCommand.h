#pragma once

#include "export/SheetCells.h"

#include "SessionCommand.h"

namespace cli {

// ①集計, ②集計 and one ③ narrowing for one draw, as a user runs them by hand.
class PredictCommand : public SessionCommand {
public:
    PredictCommand();

protected:
    void readOptions(const QCommandLineParser& parser) override;
    int executeWithSession(Session& session, const QCommandLineParser& parser, QTextStream& out,
                           QTextStream& err) override;

private:
    int pair_ = 0;
    int singleSize_ = 100;
    int doubleSize_ = 100;
    const simulate::FormAction* narrowing_ = nullptr;
};

// Options predict and verify share: the pair of digit tables, the narrowing sizes and
// switches. A narrowing option (with the given choices) comes from each command.
QList<QCommandLineOption> predictionOptions();
// --xlsx FILE, the option shared by predict and verify.
QCommandLineOption xlsxOption(const QString& description);
// With --xlsx FILE, writes the sheet of the form to FILE from its template; false (the fault
// printed) when it could not. Without the option it does nothing.
bool writeXlsxOption(const QCommandLineParser& parser, exports::Sheet sheet,
                     const mainwindow::MainForm& f, QTextStream& err);
// The index of --pair in Option2's captions; UsageError when it names none.
int chosenPair(const QCommandLineParser& parser);

} // namespace cli
