#pragma once

#include "Workbook.h"

#include <QString>

namespace mainwindow {
class MainForm;
}

namespace exports {

// The template workbooks, looked up as shipped files.
QString predictionTemplateName(); // R7予想表ひな形.xlsx
QString tallyTemplateName();      // R7集計表ひな形.xlsx

// The prediction sheet: the four candidate lists (basic S, basic W, narrowed S, narrowed W,
// in that order, rows 1 to their counts) and then the headline captions. An empty list
// gives no cells, so the template's cells stay as they are.
SheetCells predictionSheetCells(const mainwindow::MainForm& f);

// The tally sheet: the simRows draw rows of GrdSM, its two summary rows and the headline
// cells, headed with the range of the tally. GrdSM column c goes to sheet column c + 2; the
// narrow columns 7, 12 and 15 are left out. Each draw's date is the history's, as a date;
// numbers go in as numbers, winning numbers and marks as texts.
SheetCells tallySheetCells(const mainwindow::MainForm& f);

// File names that say what an export holds: "予想表_第7055回.xlsx"; "集計表_2026年07月.xlsx"
// for a month, "集計表_第6991回-第7000回.xlsx" for a count of draws.
QString predictionFileName(const mainwindow::MainForm& f);
QString tallyFileName(const mainwindow::MainForm& f);

// `dir`/`fileName`, or with _2, _3 ... before the extension when that file exists already.
QString unusedPath(const QString& dir, const QString& fileName);

enum class Sheet { Prediction, Tally };

// An export ready to be written: the template to copy, the copy and its cells.
struct SheetExport {
    QString templatePath;
    QString outPath;
    SheetCells cells;
};

// Reads what the sheet of the form is to hold, on the form's thread, with its template
// (found beside `dataDir` as a shipped file). Throws WorkbookError when the template is
// missing, when `outPath` is the template itself, and for the prediction sheet when the
// window holds no prediction (MainForm::noPredictionMessage()).
SheetExport prepareSheet(Sheet sheet, const mainwindow::MainForm& f, const QString& dataDir,
                         const QString& outPath);
// Writes a prepared export; it reads no form, so it may run on any thread. Throws
// WorkbookError with a message naming the file.
void writeSheet(const SheetExport& sheet);
// Both steps at once.
void writeSheet(Sheet sheet, const mainwindow::MainForm& f, const QString& dataDir,
                const QString& outPath);

} // namespace exports
