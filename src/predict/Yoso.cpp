// The prediction: the 50-draw analysis table, the candidate digit tables and the marker digit.
#include "Analysis.h"

#include "mainwindow/MainForm.h"
#include "ui/Numeric.h"

#include <algorithm>
#include <vector>

namespace mainwindow {

namespace {

constexpr int kWindow = predict::kAnalysedDraws;
constexpr int kLatestRow = 51;   // L, the draw before the target
constexpr int kPreviousRow = 50; // P, the draw before L

using predict::RecencyOrder;
using Digits = std::vector<int>;

struct WindowRow {
    QString number;
    int pattern = 0;
    RecencyOrder order{};
};

WindowRow windowRow(const ui::Grid& a, int row) {
    WindowRow w;
    w.number = a.text(row, AnalysisCol::WinNumber);
    w.pattern = static_cast<int>(ui::leadingInt(a.text(row, AnalysisCol::Pattern)));
    for (int k = 0; k < 10; ++k)
        w.order[k] = static_cast<int>(ui::leadingInt(a.text(row, AnalysisCol::Rank1 + k)));
    return w;
}

Digits digitsOf(const QString& number) {
    Digits d;
    for (int i = 0; i < 4; ++i)
        d.push_back(predict::digitAt(number, i));
    return d;
}

Digits distinctOf(const QString& number) {
    Digits d;
    for (int digit : digitsOf(number))
        if (std::find(d.begin(), d.end(), digit) == d.end())
            d.push_back(digit);
    return d;
}

// Walks the given positions of an order and takes the digits that are among the source
// digits, up to limit of them.
Digits scan(const RecencyOrder& order, const Digits& positions, const Digits& source,
            size_t limit) {
    Digits found;
    for (int k : positions) {
        if (found.size() >= limit)
            break;
        if (std::find(source.begin(), source.end(), order[k]) != source.end())
            found.push_back(order[k]);
    }
    return found;
}

const Digits kDownFromNine = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
const Digits kUpFromZero = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
const Digits kFromThree = {3, 4, 5, 6, 7, 8, 9, 2, 1, 0};

// Empties rows 1..rows of a column, then lists the digits from row 1 down, ascending.
void writeColumn(ui::Grid& grid, int col, int rows, Digits digits) {
    for (int r = 1; r <= rows; ++r)
        grid.setText(r, col, QString());
    std::sort(digits.begin(), digits.end());
    for (size_t i = 0; i < digits.size() && static_cast<int>(i) < rows; ++i)
        grid.setText(static_cast<int>(i) + 1, col, ui::numberText(digits[i]));
}

// The first draw of the latest calendar month in the window: the newest row whose day of
// month is smaller than that of the row above it. A window within one month takes its
// oldest draw.
int monthStartRow(const ui::Grid& a) {
    auto day = [&](int row) { return ui::leadingInt(a.text(row, AnalysisCol::Date).right(2)); };
    for (int r = kLatestRow; r >= 3; --r)
        if (day(r - 1) > day(r))
            return r;
    return 2;
}

} // namespace

void MainForm::Yoso() {
    const int target = static_cast<int>(ui::leadingInt(Combo1.text));
    if (target < kWindow + 1)
        return;
    // The window comes from the history grid, which holds every draw of the history file.
    // A draw more than one past the history has no window.
    if (target - 1 > HistRows)
        return;
    ui::Grid& a = GrdA[0];
    for (int n = target - kWindow, r = 2; n <= target - 1; ++n, ++r) {
        a.setText(r, AnalysisCol::Number, ui::numberText(n));
        a.setText(r, AnalysisCol::WinNumber, Grd2.text(n, Grd2Col::WinNumber));
        a.setText(r, AnalysisCol::Date, Grd2.text(n, Grd2Col::Date));
    }

    // Each window draw is ranked against the order left by the row above; row 1 holds the
    // starting order written by the layout.
    RecencyOrder order = windowRow(a, 1).order;
    for (int r = 2; r <= kLatestRow; ++r) {
        const QString& number = a.text(r, AnalysisCol::WinNumber);
        a.setText(r, AnalysisCol::Pattern, ui::numberText(predict::patternCode(number)));
        order = predict::nextRecencyOrder(order, number);
        for (int k = 0; k < 10; ++k)
            a.setText(r, AnalysisCol::Rank1 + k, ui::numberText(order[k]));
    }

    const WindowRow L = windowRow(a, kLatestRow);
    const WindowRow P = windowRow(a, kPreviousRow);
    const Digits monthStart = distinctOf(a.text(monthStartRow(a), AnalysisCol::WinNumber));
    const Digits carriedFromL = scan(L.order, kFromThree, digitsOf(P.number), 2);

    // The reference table.
    writeColumn(Grd1, 0, 4,
                L.pattern <= 1 ? Digits{L.order[1], L.order[2]} : Digits{L.order[0], L.order[1]});
    writeColumn(Grd1, 1, 4, P.pattern == 1 ? distinctOf(P.number) : carriedFromL);
    writeColumn(Grd1, 2, 4, monthStart);
    writeColumn(Grd1, 3, 4, {L.order[1], L.order[5], L.order[8], L.order[9]});

    // Ａ: the digits of L; for a single, the two that had waited longest, and the newest.
    Digits latest;
    if (L.pattern > 0) {
        latest = distinctOf(L.number);
    } else {
        latest = scan(P.order, kDownFromNine, digitsOf(L.number), 2);
        if (std::find(latest.begin(), latest.end(), L.order[0]) == latest.end())
            latest.push_back(L.order[0]);
    }
    writeColumn(Grd1a, 0, 4, latest);

    // Ｂ: the digits carried over from P.
    Digits carry;
    if (P.pattern == 0)
        carry = scan(P.order, kUpFromZero, digitsOf(P.number), 2);
    else if (P.pattern == 1)
        carry = distinctOf(P.number);
    else
        carry = carriedFromL;
    writeColumn(Grd1a, 1, 4, carry);

    writeColumn(Grd1a, 2, 4, monthStart);
    writeColumn(Grd1a, 3, 6,
                {L.order[1], L.order[5], L.order[8], L.order[9], L.order[6], L.order[7]});

    a.setTopRow(kLatestRow);
    Label12.caption = QString::number(L.order[5]);
}

} // namespace mainwindow
