// Layout of every grid, the history grid and the tables of all box numbers.
#include "MainForm.h"

#include "history/DrawRecord.h"

#include <QDate>

#include <array>

namespace mainwindow {

namespace {

struct Column {
    const char16_t* heading;
    int twips; // -1 keeps the default width
};

// Headings and widths of the columns from the first on.
void layOut(ui::Grid& grid, std::initializer_list<Column> columns) {
    int col = 0;
    for (const auto& c : columns) {
        grid.setText(0, col, QString::fromUtf16(c.heading));
        if (c.twips >= 0)
            grid.setColWidth(col, c.twips);
        ++col;
    }
}

void layOutList(ui::Grid& grid, const char16_t* heading) {
    layOut(grid, {{u"No", 600}, {heading, 1200}});
}

// Headings of the tally grid; the reset writes two more than the start-up layout.
void headTally(ui::Grid& grid, bool reset) {
    static const char16_t* const headings[] = {
        u"回",   u"当籤数",   u"抽選日",   u"Ｓ予想数", u"Ｗ予想数", u"結果", u"配当",
        u"",     u"Ｓ予想数", u"Ｗ予想数", u"結果",     u"配当",     u"",     u"ＷＳ予想",
        u"結果", u"",         u"配当",     u"購入額",   u""};
    for (int c = 0; c < 19; ++c)
        grid.setText(0, c, QString::fromUtf16(headings[c]));
    if (reset) {
        grid.setText(0, 19, QStringLiteral("購入額"));
        grid.setText(0, 20, QStringLiteral("配当"));
    }
}

// One row of a box table: its number, the four digits together and each in its column.
void setBoxRow(ui::Grid& grid, int row, const std::array<int, 4>& digits) {
    grid.setText(row, BoxCol::No, QString::number(row));
    QString number;
    for (int d : digits)
        number += QString::number(d);
    grid.setText(row, BoxCol::Number, number);
    for (int i = 0; i < 4; ++i)
        grid.setText(row, BoxCol::Digit1 + i, QString::number(digits[i]));
}

// Room for the table's n rows and the two below them, scrolled to its last row.
void endBoxTable(ui::Grid& grid, int n) {
    grid.setRows(n + 2);
    grid.showRow(n);
}

} // namespace

void clearList(ui::Grid& list, int rows, const QString& heading) {
    list.clear();
    list.setRows(rows);
    list.setText(0, ListCol::No, QStringLiteral("No"));
    list.setText(0, ListCol::Number, heading);
}

QString numberType(const QString& number) {
    switch (history::equalPairs(number)) {
    case 0:
        return QStringLiteral("S");
    case 1:
        return QStringLiteral("W");
    default:
        return QStringLiteral("A");
    }
}

void MainForm::sizecells() {
    showOptionCaptions();
    LabKnen.caption = KensyoYear;
    LabKmon.caption = KensyoMonth;

    layOut(Grd2, {{u"回", 600},
                  {u"当数", 600},
                  {u"SW", 400},
                  {u"千", 300},
                  {u"百", 300},
                  {u"十", 300},
                  {u"一", 300},
                  {u"BOX配当", 1000},
                  {u"抽選日", 1200},
                  {u"判定用", 800},
                  {u"新予想", 800},
                  {u"○or×", 800}});
    layOut(
        GrdS,
        {{u"No", 500}, {u"Ｓ予想", 600}, {u"千", 300}, {u"百", 300}, {u"十", 300}, {u"一", 300}});
    layOut(
        GrdW,
        {{u"No", 500}, {u"Ｗ予想", 600}, {u"千", 300}, {u"百", 300}, {u"十", 300}, {u"一", 300}});

    ui::Grid& a = GrdA[0];
    layOut(a, {{u"回", 600}, {u"当籤数", 600}, {u"抽選日", 1000}});
    static const char16_t* const ranks[] = {u"一", u"二", u"三", u"四", u"五",
                                            u"六", u"七", u"八", u"九", u"十"};
    for (int k = 0; k < 10; ++k)
        a.setText(0, 3 + k, QString::fromUtf16(ranks[k]));
    for (int c = 3; c <= 13; ++c)
        a.setColWidth(c, 300);
    // The starting digit order the first window draw is ranked against.
    for (int c = 0; c < 3; ++c)
        a.setText(1, c, QStringLiteral("－"));
    for (int k = 0; k < 10; ++k)
        a.setText(1, 3 + k, QString::number(k));

    layOut(Grd1a, {{u"Ａ", 400}, {u"Ｂ", 400}, {u"Ｃ", 400}, {u"Ｄ", 400}});
    layOutList(GrdSS, u"Ｓ予想");
    layOutList(GrdWW, u"Ｗ予想");

    static const int tallyWidths[] = {600,  800,  1100, 1000, 1000, 1000, 1000, 50,   1000,
                                      1000, 1000, 1000, 50,   1000, 1000, 50,   1000, 1000};
    for (int c = 0; c < 18; ++c)
        GrdSM.setColWidth(c, tallyWidths[c]);
    headTally(GrdSM, false);

    layOutList(GrdSS2, u"Ｓ予想");
    layOutList(GrdWW2, u"Ｗ予想");

    layOut(Grd3, {{u"From", 800},
                  {u"Too", 800},
                  {u"Ｗ数", 800},
                  {u"Ｓ数", 800},
                  {u"判定", 800},
                  {u"", 800},
                  {u"", 600},
                  {u"", 600},
                  {u"", 700}});
}

void MainForm::Grd2Hyoji() {
    // Emptied first: a damaged history leaves no draws of the previous fill behind.
    HistRows = 0;
    Grd2.setRows(1);
    Grd2.setRows(2);
    showOldHistory();
    const auto session = files.OpenNumberFile();
    const int count = files.HistCount;
    if (count == 0)
        return;
    Grd2.setRows(count + 2);
    // Every record is read in order, so each is checked against the one before it.
    for (int r = 1; r <= count; ++r) {
        try {
            files.readHist(r);
        } catch (const history::FileError&) {
            Grd2.setRows(1);
            Grd2.setRows(2);
            throw;
        }
        const auto& rec = files.HistRec;
        const QString number = rec.numberText();
        const int pairs = history::equalPairs(number);
        Grd2.setText(r, Grd2Col::Number, QString::number(rec.DrawNo));
        Grd2.setText(r, Grd2Col::WinNumber, number);
        Grd2.setText(r, Grd2Col::Type, numberType(number));
        for (int i = 0; i < 4; ++i)
            Grd2.setText(r, Grd2Col::Digit1 + i, number.mid(i, 1));
        Grd2.setText(r, Grd2Col::BoxPayout, QString::number(rec.Payout[1]));
        Grd2.setText(r, Grd2Col::Date, rec.slashedDate());
        Grd2.setText(r, Grd2Col::Flag, pairs == 0 ? QStringLiteral("S") : QStringLiteral("W"));
    }
    HistRows = count;
    Grd2.showRow(HistRows);

    // The next draw is on the following weekday; holidays are not known here.
    QDate next =
        QDate::fromString(Grd2.text(HistRows, Grd2Col::Date), QStringLiteral("yyyy/MM/dd"));
    if (next.isValid()) {
        next = next.addDays(1);
        if (next.dayOfWeek() == Qt::Sunday)
            next = next.addDays(1);
        else if (next.dayOfWeek() == Qt::Saturday)
            next = next.addDays(2);
        Grd2.setText(HistRows + 1, Grd2Col::Date, next.toString(QStringLiteral("yyyy/MM/dd")));
    }
    showOldHistory();
}

void MainForm::GrdSWHyoji() {
    int n = 0;
    for (int a = 0; a <= 9; ++a)
        for (int b = a + 1; b <= 9; ++b)
            for (int c = b + 1; c <= 9; ++c)
                for (int d = c + 1; d <= 9; ++d)
                    setBoxRow(GrdS, ++n, {a, b, c, d});
    SingleCount = n;
    endBoxTable(GrdS, n);

    n = 0;
    for (int p = 0; p <= 9; ++p)
        for (int q = 0; q <= 9; ++q) {
            if (q == p)
                continue;
            for (int r = q + 1; r <= 9; ++r) {
                if (r == p)
                    continue;
                setBoxRow(GrdW, ++n, {p, p, q, r});
            }
        }
    DoubleCount = n;
    endBoxTable(GrdW, n);
}

void MainForm::frmYosoClear() {
    for (auto* grid : {&GrdSS, &GrdSS2, &GrdWW, &GrdWW2}) {
        clearList(*grid, 500,
                  grid == &GrdSS || grid == &GrdSS2 ? QStringLiteral("Ｓ予想")
                                                    : QStringLiteral("Ｗ予想"));
        grid->showRow(0);
    }
}

void MainForm::GrdSMClear() {
    GrdSM.clear();
    GrdSM.setRows(1000);
    headTally(GrdSM, true);
}

} // namespace mainwindow
