// ①集計 and ②集計: show the chosen draw and predict it, then build the basic S and W lists.
#include "Narrowing.h"

#include "mainwindow/MainForm.h"
#include "ui/Numeric.h"

#include <bitset>
#include <vector>

namespace mainwindow {

namespace {

// The Grd1a column of a table letter of an Option2 caption ("AC": A and C); -1 when the
// letter names none of the four tables.
int tableColumn(QChar letter) {
    const int col = letter.unicode() - u'A';
    return col >= 0 && col < 4 ? col : -1;
}

// The bit of a one-digit cell; anything else gives none.
int digitBit(const QString& text) {
    return text.size() == 1 ? simulate::digitMask(text) : 0;
}

// Builds one basic list from the box table: every number holding a digit of the first
// list and a digit of the second, in the order found, each box once. Singles need two
// different digits; for doubles a digit may pair with itself. Returns the count.
int buildBasicList(const ui::Grid& table, int tableCount, ui::Grid& list, const QString& heading,
                   const QStringList& first, const QStringList& second, bool singles) {
    clearList(list, 1000, heading);

    std::vector<int> held(tableCount + 1, 0);
    for (int j = 1; j <= tableCount; ++j)
        for (int c = BoxCol::Digit1; c < BoxCol::Digit1 + 4; ++c)
            held[j] |= digitBit(table.text(j, c));

    int total = 0;
    for (const QString& x : first) {
        for (const QString& y : second) {
            if (singles && x == y)
                continue;
            const int bx = digitBit(x);
            const int by = digitBit(y);
            if (bx == 0 || by == 0)
                continue;
            for (int j = 1; j <= tableCount; ++j) {
                if ((held[j] & bx) && (held[j] & by)) {
                    ++total;
                    simulate::ensureRow(list, total);
                    list.setText(total, ListCol::No, QString::number(total));
                    list.setText(total, ListCol::Work, table.text(j, BoxCol::Number));
                }
            }
        }
    }

    // The tables write every box one way (digits ascending, the pair first), so the same
    // box is the same text; the first finding is kept.
    // A box table number is four digits, so its value names it.
    std::bitset<10000> seen;
    int count = 0;
    for (int j = 1; j <= total; ++j) {
        const QString x = list.text(j, ListCol::Work);
        if (x.isEmpty())
            continue;
        const auto key = static_cast<size_t>(ui::leadingInt(x)) % seen.size();
        if (seen.test(key)) {
            list.setText(j, ListCol::Work, QString());
            continue;
        }
        seen.set(key);
        ++count;
        list.setText(count, ListCol::Number, x);
    }
    for (int j = count + 1; j <= total; ++j) {
        list.setText(j, ListCol::No, QString());
        list.setText(j, ListCol::Number, QString());
    }
    list.setRows(count + 2);
    list.setTopRow(count);
    return count;
}

} // namespace

void MainForm::Command1_Click() {
    const int d = static_cast<int>(ui::leadingInt(Combo1.text));
    Label2.caption = Grd2.text(d, Grd2Col::WinNumber);
    Label8.caption = Grd2.text(d, Grd2Col::WsPrediction);
    const QString& date = Grd2.text(d, Grd2Col::Date);
    LabDays.caption = date.left(4) + QStringLiteral("年") + date.mid(5, 2) + QStringLiteral("月") +
                      date.right(2) + QStringLiteral("日");
    LabKai.caption = QStringLiteral("第") + LabCom1.caption + QStringLiteral("回");
    Yoso();
    Jyuni();
    NewVerSort();
}

void MainForm::Command2_Click() {
    // No option selected gives empty digit lists and so empty candidate lists.
    QStringList first, second;
    const QString pair = Option2.captions.value(Option2.selected);
    if (pair.size() == 2 && tableColumn(pair[0]) >= 0 && tableColumn(pair[1]) >= 0) {
        first = simulate::digitColumn(Grd1a, tableColumn(pair[0]), 8);
        second = simulate::digitColumn(Grd1a, tableColumn(pair[1]), 8);
    }
    basicCountS =
        buildBasicList(GrdS, SingleCount, GrdSS, QStringLiteral("Ｓ予想"), first, second, true);
    basicCountW =
        buildBasicList(GrdW, DoubleCount, GrdWW, QStringLiteral("Ｗ予想"), first, second, false);
    WWSSatari();
}

} // namespace mainwindow
