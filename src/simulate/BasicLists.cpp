// ①集計 and ②集計: show the chosen draw and predict it, then build the basic S and W lists.
#include "Narrowing.h"

#include "mainwindow/MainForm.h"
#include "ui/Numeric.h"

#include <algorithm>
#include <array>
#include <bit>
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

// The rows of one basic list in the box table: every number holding a digit of the first
// list and a digit of the second, in the order found, each box once. Singles need two
// different digits; for doubles a digit may pair with itself.
struct ListRows {
    std::vector<int> found; // every finding, in order
    std::vector<bool> repeat;
    std::vector<int> kept; // the list: the findings without repeats
};

ListRows basicListRows(const ui::Grid& table, int tableCount, const QStringList& first,
                       const QStringList& second, bool singles, MainForm::BoxDigits& digits) {
    // The digits each box holds change only with the table: read once per revision of it.
    if (digits.revision != table.revision() || digits.count != tableCount) {
        digits.held.assign(static_cast<size_t>(tableCount) + 1, 0);
        for (int j = 1; j <= tableCount; ++j)
            for (int c = BoxCol::Digit1; c < BoxCol::Digit1 + 4; ++c)
                digits.held[static_cast<size_t>(j)] |= digitBit(table.text(j, c));
        for (int a = 0; a < 10; ++a)
            for (int b = 0; b < 10; ++b) {
                auto& rows = digits.rowsWith[static_cast<size_t>(10 * a + b)];
                rows.clear();
                const int both = (1 << a) | (1 << b);
                for (int j = 1; j <= tableCount; ++j)
                    if ((digits.held[static_cast<size_t>(j)] & both) == both)
                        rows.push_back(j);
            }
        digits.revision = table.revision();
        digits.count = tableCount;
    }

    ListRows list;
    for (const QString& x : first) {
        for (const QString& y : second) {
            if (singles && x == y)
                continue;
            const int bx = digitBit(x);
            const int by = digitBit(y);
            if (bx == 0 || by == 0)
                continue;
            const auto& rows =
                digits
                    .rowsWith[static_cast<size_t>(10 * std::countr_zero(static_cast<unsigned>(bx)) +
                                                  std::countr_zero(static_cast<unsigned>(by)))];
            list.found.insert(list.found.end(), rows.begin(), rows.end());
        }
    }

    // The tables write every box one way (digits ascending, the pair first), so the same
    // box is the same text; the first finding is kept.
    // A box table number is four digits, so its value names it.
    std::bitset<10000> seen;
    list.repeat.assign(list.found.size(), false);
    for (size_t k = 0; k < list.found.size(); ++k) {
        const QString& x = table.text(list.found[k], BoxCol::Number);
        if (x.isEmpty())
            continue;
        const auto key = boxKey(x) % seen.size();
        if (seen.test(key)) {
            list.repeat[k] = true;
            continue;
        }
        seen.set(key);
        list.kept.push_back(list.found[k]);
    }
    return list;
}

// Writes a basic list as the hand-run procedure leaves it: column 1 the list, column 0 its
// running numbers, column 2 the findings in order with repeats emptied, cut after row
// count + 1. Returns the count.
int writeBasicList(const ui::Grid& table, const ListRows& rows, ui::Grid& list,
                   const QString& heading) {
    const int count = static_cast<int>(rows.kept.size());
    list.clear();
    list.setRows(count + 2);
    list.setText(0, ListCol::No, QStringLiteral("No"));
    list.setText(0, ListCol::Number, heading);
    const int shown = std::min(static_cast<int>(rows.found.size()), count + 1);
    for (int r = 1; r <= shown; ++r) {
        if (r <= count) {
            list.setText(r, ListCol::No, ui::numberText(r));
            list.setText(r, ListCol::Number, table.text(rows.kept[r - 1], BoxCol::Number));
        }
        if (!rows.repeat[r - 1])
            list.setText(r, ListCol::Work, table.text(rows.found[r - 1], BoxCol::Number));
    }
    list.setTopRow(count);
    return count;
}

// The digit lists of the pair Option2 chooses ("AC": Grd1a columns Ａ and Ｃ, eight rows at
// most); none when no option is selected, which gives empty candidate lists.
std::pair<QStringList, QStringList> pairDigits(const MainForm& f) {
    const QString pair = f.Option2.captions.value(f.Option2.selected);
    if (pair.size() == 2 && tableColumn(pair[0]) >= 0 && tableColumn(pair[1]) >= 0)
        return {simulate::digitColumn(f.Grd1a, tableColumn(pair[0]), 8),
                simulate::digitColumn(f.Grd1a, tableColumn(pair[1]), 8)};
    return {};
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
    const auto [first, second] = pairDigits(*this);
    const ListRows singles = basicListRows(GrdS, SingleCount, first, second, true, boxDigitsS_);
    const ListRows doubles = basicListRows(GrdW, DoubleCount, first, second, false, boxDigitsW_);
    basicCountS = writeBasicList(GrdS, singles, GrdSS, QStringLiteral("Ｓ予想"));
    basicCountW = writeBasicList(GrdW, doubles, GrdWW, QStringLiteral("Ｗ予想"));
    WWSSatari();
}

MainForm::BasicRows MainForm::basicRows() {
    const auto [first, second] = pairDigits(*this);
    BasicRows rows;
    rows.singles = basicListRows(GrdS, SingleCount, first, second, true, boxDigitsS_).kept;
    rows.doubles = basicListRows(GrdW, DoubleCount, first, second, false, boxDigitsW_).kept;
    basicCountS = static_cast<int>(rows.singles.size());
    basicCountW = static_cast<int>(rows.doubles.size());
    findWinningBox([&](bool single, int r) -> const QString& {
        return single ? GrdS.text(rows.singles[static_cast<size_t>(r - 1)], BoxCol::Number)
                      : GrdW.text(rows.doubles[static_cast<size_t>(r - 1)], BoxCol::Number);
    });
    return rows;
}

} // namespace mainwindow
