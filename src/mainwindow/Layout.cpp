// Layout of every grid, the history grid and the tables of all box numbers.
#include "MainForm.h"

#include <QDate>

namespace mainwindow {

namespace {

struct Column {
    int col;
    const char16_t* heading;
    int twips; // -1 keeps the default width
};

void layOut(ui::Grid& grid, std::initializer_list<Column> columns) {
    for (const auto& c : columns) {
        grid.setText(0, c.col, QString::fromUtf16(c.heading));
        if (c.twips >= 0)
            grid.setColWidth(c.col, c.twips);
    }
}

void layOutList(ui::Grid& grid, const char16_t* heading) {
    layOut(grid, {{0, u"No", 600}, {1, heading, 1200}});
}

void headList(ui::Grid& grid, const char16_t* heading) {
    grid.setText(0, 0, QStringLiteral("No"));
    grid.setText(0, 1, QString::fromUtf16(heading));
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

} // namespace

int equalPairs(const QString& number) {
    int pairs = 0;
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            if (number.size() > j && number[i] == number[j])
                ++pairs;
    return pairs;
}

QString numberType(const QString& number) {
    switch (equalPairs(number)) {
    case 0:
        return QStringLiteral("S");
    case 1:
        return QStringLiteral("W");
    default:
        return QStringLiteral("A");
    }
}

void MainForm::sizecells() {
    const auto& t = module.tables;
    LabYDS.caption = t.StrengthNames[YosoDSLevel];
    LabYSS.caption = t.StrengthNames[YosoSSLevel];
    LabKDS.caption = t.StrengthNames[KensyoDSLevel];
    LabKSS.caption = t.StrengthNames[KensyoSSLevel];
    LabYOP.caption = t.OnOffNames[YosoOpt];
    LabKOP.caption = t.OnOffNames[KensyoOpt];
    LabKnen.caption = KensyoYear;
    LabKmon.caption = KensyoMonth;

    layOut(Grd2, {{0, u"回", 600},
                  {1, u"当数", 600},
                  {2, u"SW", 400},
                  {3, u"千", 300},
                  {4, u"百", 300},
                  {5, u"十", 300},
                  {6, u"一", 300},
                  {7, u"BOX配当", 1000},
                  {8, u"抽選日", 1200},
                  {9, u"判定用", 800},
                  {10, u"新予想", 800},
                  {11, u"○or×", 800}});
    layOut(GrdS, {{0, u"No", 500},
                  {1, u"Ｓ予想", 600},
                  {2, u"千", 300},
                  {3, u"百", 300},
                  {4, u"十", 300},
                  {5, u"一", 300}});
    layOut(GrdW, {{0, u"No", 500},
                  {1, u"Ｗ予想", 600},
                  {2, u"千", 300},
                  {3, u"百", 300},
                  {4, u"十", 300},
                  {5, u"一", 300}});

    ui::Grid& a = GrdA[0];
    layOut(a, {{0, u"回", 600}, {1, u"当籤数", 600}, {2, u"抽選日", 1000}});
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

    layOut(Grd1a, {{0, u"Ａ", 400}, {1, u"Ｂ", 400}, {2, u"Ｃ", 400}, {3, u"Ｄ", 400}});
    layOutList(GrdSS, u"Ｓ予想");
    layOutList(GrdWW, u"Ｗ予想");

    static const int tallyWidths[] = {600,  800,  1100, 1000, 1000, 1000, 1000, 50,   1000,
                                      1000, 1000, 1000, 50,   1000, 1000, 50,   1000, 1000};
    for (int c = 0; c < 18; ++c)
        GrdSM.setColWidth(c, tallyWidths[c]);
    headTally(GrdSM, false);

    layOutList(GrdSS2, u"Ｓ予想");
    layOutList(GrdWW2, u"Ｗ予想");

    layOut(Grd3, {{0, u"From", 800},
                  {1, u"Too", 800},
                  {2, u"Ｗ数", 800},
                  {3, u"Ｓ数", 800},
                  {4, u"判定", 800},
                  {5, u"", 800},
                  {6, u"", 600},
                  {7, u"", 600},
                  {8, u"", 700}});
}

void MainForm::Grd2Hyoji() {
    // Emptied first: a damaged history leaves no draws of the previous fill behind.
    HistRows = 0;
    Grd2.setRows(1);
    Grd2.setRows(2);
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
        const int pairs = equalPairs(number);
        Grd2.setText(r, 0, QString::number(rec.DrawNo));
        Grd2.setText(r, 1, number);
        Grd2.setText(r, 2, numberType(number));
        for (int i = 0; i < 4; ++i)
            Grd2.setText(r, 3 + i, number.mid(i, 1));
        Grd2.setText(r, 7, QString::number(rec.Payout[1]));
        Grd2.setText(r, 8, rec.slashedDate());
        Grd2.setText(r, 9, pairs == 0 ? QStringLiteral("S") : QStringLiteral("W"));
    }
    HistRows = count;
    Grd2.showRow(HistRows);

    // The next draw is on the following weekday; holidays are not known here.
    QDate next = QDate::fromString(Grd2.text(HistRows, 8), QStringLiteral("yyyy/MM/dd"));
    if (next.isValid()) {
        next = next.addDays(1);
        if (next.dayOfWeek() == Qt::Sunday)
            next = next.addDays(1);
        else if (next.dayOfWeek() == Qt::Saturday)
            next = next.addDays(2);
        Grd2.setText(HistRows + 1, 8, next.toString(QStringLiteral("yyyy/MM/dd")));
    }
}

void MainForm::GrdSWHyoji() {
    int n = 0;
    for (int a = 0; a <= 9; ++a)
        for (int b = a + 1; b <= 9; ++b)
            for (int c = b + 1; c <= 9; ++c)
                for (int d = c + 1; d <= 9; ++d) {
                    ++n;
                    GrdS.setText(n, 0, QString::number(n));
                    GrdS.setText(n, 1, QStringLiteral("%1%2%3%4").arg(a).arg(b).arg(c).arg(d));
                    const int digits[] = {a, b, c, d};
                    for (int i = 0; i < 4; ++i)
                        GrdS.setText(n, 2 + i, QString::number(digits[i]));
                }
    SingleCount = n;
    GrdS.setRows(n + 2);
    GrdS.showRow(n);

    n = 0;
    for (int p = 0; p <= 9; ++p)
        for (int q = 0; q <= 9; ++q) {
            if (q == p)
                continue;
            for (int r = q + 1; r <= 9; ++r) {
                if (r == p)
                    continue;
                ++n;
                GrdW.setText(n, 0, QString::number(n));
                GrdW.setText(n, 1, QStringLiteral("%1%1%2%3").arg(p).arg(q).arg(r));
                const int digits[] = {p, p, q, r};
                for (int i = 0; i < 4; ++i)
                    GrdW.setText(n, 2 + i, QString::number(digits[i]));
            }
        }
    DoubleCount = n;
    GrdW.setRows(n + 2);
    GrdW.showRow(n);
}

void MainForm::frmYosoClear() {
    for (auto* grid : {&GrdSS, &GrdSS2, &GrdWW, &GrdWW2}) {
        grid->clear();
        grid->setRows(500);
        headList(*grid, grid == &GrdSS || grid == &GrdSS2 ? u"Ｓ予想" : u"Ｗ予想");
        grid->showRow(0);
    }
}

void MainForm::GrdSMClear() {
    GrdSM.clear();
    GrdSM.setRows(1000);
    headTally(GrdSM, true);
}

} // namespace mainwindow
