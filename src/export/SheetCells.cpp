// Where the values of the prediction sheet and the tally sheet go.
#include "SheetCells.h"

#include "history/DataFolder.h"
#include "mainwindow/MainForm.h"
#include "ui/Numeric.h"

#include <QDir>
#include <QFileInfo>

namespace exports {

using mainwindow::Grd2Col;
using mainwindow::ListCol;
using mainwindow::TallyCol;

namespace {

// A candidate list: running number and candidate of rows 1..count into two sheet columns.
// The candidates stay texts (0249 keeps its zero).
void addList(SheetCells& cells, const ui::Grid& list, int count, int firstCol) {
    for (int i = 1; i <= count; ++i) {
        cells.push_back({7 + i, firstCol, list.text(i, ListCol::No), CellKind::Number});
        cells.push_back({7 + i, firstCol + 1, list.text(i, ListCol::Number)});
    }
}

// How a tally column goes into the sheet: draw numbers, list sizes, payouts and amounts as
// numbers (a summary such as "勝率:47%" then stays text), the date as a date, the winning
// number and the marks as texts.
CellKind tallyKind(int col) {
    switch (col) {
    case TallyCol::Date:
        return CellKind::Date;
    case TallyCol::WinNumber:
    case TallyCol::BasicMark:
    case TallyCol::NarrowMark:
    case TallyCol::WsPrediction:
    case TallyCol::WsMark:
        return CellKind::Text;
    default:
        return CellKind::Number;
    }
}

// The tally row's date with its century, as the history holds it; the grid's own short
// date when the history does not hold the row's draw.
QString tallyDate(const mainwindow::MainForm& f, int row) {
    const QString& draw = f.GrdSM.text(row, TallyCol::Number);
    const auto d = static_cast<int>(ui::leadingInt(draw));
    if (d >= 1 && d <= f.HistRows && f.Grd2.text(d, Grd2Col::Number) == draw)
        return f.Grd2.text(d, Grd2Col::Date);
    return f.GrdSM.text(row, TallyCol::Date);
}

} // namespace

QString predictionTemplateName() {
    return QStringLiteral("R7予想表ひな形.xlsx");
}

QString tallyTemplateName() {
    return QStringLiteral("R7集計表ひな形.xlsx");
}

SheetCells predictionSheetCells(const mainwindow::MainForm& f) {
    SheetCells cells;
    addList(cells, f.GrdSS, f.basicCountS, 2);
    addList(cells, f.GrdWW, f.basicCountW, 5);
    addList(cells, f.GrdSS2, f.narrowCountS, 8);
    addList(cells, f.GrdWW2, f.narrowCountW, 11);
    cells.push_back({3, 2, f.LabDays.caption});
    cells.push_back({3, 5, f.LabKai.caption});
    cells.push_back({3, 8, QStringLiteral("当選番号：　") + f.Label2.caption});
    cells.push_back({3, 11, QStringLiteral("Ｗ・Ｓ予想：　") + f.Label8.caption});
    cells.push_back({4, 2, QStringLiteral("ダブル絞り：　") + f.LabYDS.caption});
    cells.push_back({4, 5, QStringLiteral("シングル絞り：　") + f.LabYSS.caption});
    cells.push_back({4, 8, QStringLiteral("Ｒ７絞り：　") + f.LabYOP.caption});
    return cells;
}

SheetCells tallySheetCells(const mainwindow::MainForm& f) {
    const ui::Grid& sm = f.GrdSM;
    const int n = f.simRows;
    SheetCells cells;
    cells.reserve(static_cast<size_t>(n) * 15 + 15);
    for (int r = 1; r <= n; ++r)
        for (int c : {0, 1, 2, 3, 4, 5, 6, 8, 9, 10, 11, 13, 14, 16, 17})
            cells.push_back({5 + r, c + 2, c == TallyCol::Date ? tallyDate(f, r) : sm.text(r, c),
                             tallyKind(c)});
    for (int c : {6, 11, 14, 16})
        cells.push_back({n + 6, c + 2, sm.text(n + 1, c), tallyKind(c)});
    for (int c : {0, 5, 6, 10, 11, 16, 17})
        cells.push_back({n + 7, c + 2, sm.text(n + 2, c), tallyKind(c)});
    // The range the tally covered; before any tally, the verification month.
    cells.push_back({2, 2,
                     f.tallyRangeTitle.isEmpty()
                         ? f.LabKnen.caption + u'年' + f.LabKmon.caption + u'月'
                         : f.tallyRangeTitle});
    cells.push_back({2, 5, QStringLiteral("ダブル絞り：　") + f.LabKDS.caption});
    cells.push_back({2, 8, QStringLiteral("シングル絞り：　") + f.LabKSS.caption});
    cells.push_back({2, 11, QStringLiteral("Ｒ７絞り：　") + f.LabKOP.caption});
    return cells;
}

QString predictionFileName(const mainwindow::MainForm& f) {
    // LabKai reads "第N回"; without a prediction there is no draw to name.
    const QString draw = f.LabKai.caption.trimmed();
    return draw.isEmpty() ? QStringLiteral("予想表.xlsx")
                          : QStringLiteral("予想表_%1.xlsx").arg(draw);
}

QString tallyFileName(const mainwindow::MainForm& f) {
    if (f.simRows < 1)
        return QStringLiteral("集計表.xlsx");
    if (f.Option1.selected == 1) {
        const auto year = ui::leadingInt(f.Combo3[0].text);
        const auto month = ui::leadingInt(f.Combo3[1].text);
        return QStringLiteral("集計表_%1年%2月.xlsx")
            .arg(year)
            .arg(static_cast<int>(month), 2, 10, QChar(u'0'));
    }
    return QStringLiteral("集計表_第%1回-第%2回.xlsx")
        .arg(f.GrdSM.text(1, TallyCol::Number), f.GrdSM.text(f.simRows, TallyCol::Number));
}

QString unusedPath(const QString& dir, const QString& fileName) {
    const QDir folder(dir);
    QString path = folder.filePath(fileName);
    const QFileInfo info(fileName);
    const QString base = info.completeBaseName();
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = folder.filePath(QStringLiteral("%1_%2%3").arg(base).arg(n).arg(suffix));
    return path;
}

SheetExport prepareSheet(Sheet sheet, const mainwindow::MainForm& f, const QString& dataDir,
                         const QString& outPath) {
    const bool prediction = sheet == Sheet::Prediction;
    if (prediction && !f.hasPrediction())
        throw WorkbookError(mainwindow::MainForm::noPredictionMessage());
    const QString name = prediction ? predictionTemplateName() : tallyTemplateName();
    const QString templatePath = history::shippedFile(name, dataDir);
    if (templatePath.isEmpty())
        throw WorkbookError(QStringLiteral("ひな形のファイルが見つかりません: %1")
                                .arg(QDir::toNativeSeparators(QDir(dataDir).filePath(name))));
    // Writing over the template would change it for every later export.
    if (QFileInfo(outPath).absoluteFilePath() == QFileInfo(templatePath).absoluteFilePath() ||
        (QFileInfo::exists(outPath) &&
         QFileInfo(outPath).canonicalFilePath() == QFileInfo(templatePath).canonicalFilePath()))
        throw WorkbookError(QStringLiteral("ひな形のファイルには書き込めません: %1")
                                .arg(QDir::toNativeSeparators(outPath)));
    return {templatePath, outPath, prediction ? predictionSheetCells(f) : tallySheetCells(f)};
}

void writeSheet(const SheetExport& sheet) {
    writeWorkbookCopy(sheet.templatePath, sheet.outPath, sheet.cells);
}

void writeSheet(Sheet sheet, const mainwindow::MainForm& f, const QString& dataDir,
                const QString& outPath) {
    writeSheet(prepareSheet(sheet, f, dataDir, outPath));
}

} // namespace exports
