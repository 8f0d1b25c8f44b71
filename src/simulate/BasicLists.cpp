// ①集計 and ②集計: show the chosen draw and predict it, then build the basic S and W lists.
#include "Narrowing.h"

#include "mainwindow/MainForm.h"
#include "ui/Numeric.h"

#include <algorithm>
#include <array>
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

// The value of a box number, as its leading number reads (four digits, the common case,
// read directly).
size_t boxKey(const QString& x) {
    if (x.size() == 4 &&
        std::all_of(x.begin(), x.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return static_cast<size_t>((x[0].unicode() - u'0') * 1000 + (x[1].unicode() - u'0') * 100 +
                                   (x[2].unicode() - u'0') * 10 + (x[3].unicode() - u'0'));
    return static_cast<size_t>(ui::leadingInt(x));
}

// Builds one basic list from the box table: every number holding a digit of the first
// list and a digit of the second, in the order found, each box once. Singles need two
// different digits; for doubles a digit may pair with itself. Returns the count.
// The grid ends as the hand-run procedure leaves it: column 1 the list, column 0 its running
// numbers, column 2 the findings in order with repeats emptied, cut after row count + 1.
int buildBasicList(const ui::Grid& table, int tableCount, ui::Grid& list, const QString& heading,
                   const QStringList& first, const QStringList& second, bool singles,
                   MainForm::BoxDigits& digits) {
    // The digits each box holds change only with the table: read once per revision of it.
    if (digits.revision != table.revision() || digits.count != tableCount) {
        digits.held.assign(static_cast<size_t>(tableCount) + 1, 0);
        for (int j = 1; j <= tableCount; ++j)
            for (int c = BoxCol::Digit1; c < BoxCol::Digit1 + 4; ++c)
                digits.held[static_cast<size_t>(j)] |= digitBit(table.text(j, c));
        digits.revision = table.revision();
        digits.count = tableCount;
    }
    const std::vector<int>& held = digits.held;

    // The box table rows found, in order.
    std::vector<int> found;
    for (const QString& x : first) {
        for (const QString& y : second) {
            if (singles && x == y)
                continue;
            const int bx = digitBit(x);
            const int by = digitBit(y);
            if (bx == 0 || by == 0)
                continue;
            for (int j = 1; j <= tableCount; ++j)
                if ((held[j] & bx) && (held[j] & by))
                    found.push_back(j);
        }
    }

    // The tables write every box one way (digits ascending, the pair first), so the same
    // box is the same text; the first finding is kept.
    // A box table number is four digits, so its value names it.
    std::bitset<10000> seen;
    std::vector<int> kept;
    std::vector<bool> repeat(found.size(), false);
    for (size_t k = 0; k < found.size(); ++k) {
        const QString& x = table.text(found[k], BoxCol::Number);
        if (x.isEmpty())
            continue;
        const auto key = boxKey(x) % seen.size();
        if (seen.test(key)) {
            repeat[k] = true;
            continue;
        }
        seen.set(key);
        kept.push_back(found[k]);
    }

    const int count = static_cast<int>(kept.size());
    list.clear();
    list.setRows(count + 2);
    list.setText(0, ListCol::No, QStringLiteral("No"));
    list.setText(0, ListCol::Number, heading);
    const int shown = std::min(static_cast<int>(found.size()), count + 1);
    for (int r = 1; r <= shown; ++r) {
        if (r <= count) {
            list.setText(r, ListCol::No, ui::numberText(r));
            list.setText(r, ListCol::Number, table.text(kept[r - 1], BoxCol::Number));
        }
        if (!repeat[r - 1])
            list.setText(r, ListCol::Work, table.text(found[r - 1], BoxCol::Number));
    }
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
    basicCountS = buildBasicList(GrdS, SingleCount, GrdSS, QStringLiteral("Ｓ予想"), first, second,
                                 true, boxDigitsS_);
    basicCountW = buildBasicList(GrdW, DoubleCount, GrdWW, QStringLiteral("Ｗ予想"), first, second,
                                 false, boxDigitsW_);
    WWSSatari();
}

} // namespace mainwindow
