// The skeleton every ③ narrowing shares: heading the narrowed lists, the recent draws, the
// work column, the recent-draw removal, the compaction and the hit search.
#include "Narrowing.h"

#include "mainwindow/MainForm.h"
#include "ui/Numeric.h"
#include "ui/Palette.h"

#include <algorithm>
#include <array>
#include <vector>

namespace simulate {

QStringList digitColumn(const ui::Grid& table, int col, int maxRows) {
    QStringList digits;
    for (int r = 1; r <= maxRows; ++r) {
        const QString& cell = table.text(r, col);
        if (cell.isEmpty())
            break;
        digits.append(cell);
    }
    return digits;
}

int digitMask(QStringView text) {
    int mask = 0;
    for (QChar c : text)
        if (c >= u'0' && c <= u'9')
            mask |= 1 << (c.unicode() - u'0');
    return mask;
}

int containedCount(const QString& candidate, const QStringList& digits) {
    int count = 0;
    for (const QString& d : digits)
        if (candidate.contains(d))
            ++count;
    return count;
}

void ensureRow(ui::Grid& grid, int row) {
    if (row >= grid.rows())
        grid.setRows(std::max(row + 1, grid.rows() + grid.rows() / 2));
}

} // namespace simulate

namespace mainwindow {

using simulate::ensureRow;

MainForm::NarrowSide MainForm::narrowSide(ListSide side) {
    if (side == ListSide::S)
        return {GrdSS, basicCountS, GrdSS2, narrowCountS, RecentCol::S, QStringLiteral("S")};
    return {GrdWW, basicCountW, GrdWW2, narrowCountW, RecentCol::W, QStringLiteral("W")};
}

bool MainForm::basicListEmpty() const {
    return GrdSS.text(1, ListCol::Number).isEmpty();
}

void MainForm::headNarrowedLists() {
    clearList(GrdSS2, 1000, QStringLiteral("Ｓ予想"));
    clearList(GrdWW2, 1000, QStringLiteral("Ｗ予想"));
}

QStringList MainForm::cFrameDigits() const {
    return simulate::digitColumn(Grd1a, 2, 6);
}

int MainForm::selectedDraw() const {
    return static_cast<int>(ui::leadingInt(Combo1.text));
}

int MainForm::narrowingSize(ListSide side) const {
    return static_cast<int>(ui::leadingInt(Combo4[side == ListSide::S ? 0 : 1].text));
}

QString MainForm::showShiftedUnitsDigit(int draw) {
    const QString& previous = Grd2.text(draw - 1, Grd2Col::WinNumber);
    const long long k = (ui::leadingInt(previous.right(1)) + 1) % 10;
    Label11.caption = ui::numberText(k);
    return Label11.caption;
}

int MainForm::collectRecent(ListSide side, int draw, int bound) {
    const NarrowSide s = narrowSide(side);
    // The column still holds this very collection when nothing else wrote GrdR since: the
    // narrowings of one draw all collect the same draws.
    RecentMemo& memo = recentMemo_[side == ListSide::S ? 0 : 1];
    if (GrdR.revision() == recentRevision_ && memo.draw == draw && memo.bound == bound &&
        memo.history == Grd2.revision())
        return memo.found;
    // Rows of an earlier run must not stand in for draws this run did not find.
    for (int r = 1; r < GrdR.rows(); ++r)
        if (!GrdR.text(r, s.recentCol).isEmpty())
            GrdR.setText(r, s.recentCol, QString());
    int found = 0;
    for (int i = draw - 1; i >= std::max(1, draw - 1001); --i) {
        if (Grd2.text(i, Grd2Col::Type) != s.type)
            continue;
        ++found;
        ensureRow(GrdR, found);
        GrdR.setText(found, s.recentCol, Grd2.text(i, Grd2Col::WinNumber));
        if (found > bound)
            break;
    }
    memo = {draw, bound, Grd2.revision(), std::clamp(found, 0, std::max(bound, 0))};
    recentRevision_ = GrdR.revision();
    return memo.found;
}

int MainForm::fillWorkColumn(ListSide side, const std::function<bool(const QString&)>& keep) {
    const NarrowSide s = narrowSide(side);
    int n = 0;
    for (int j = 1; j <= s.basicCount; ++j) {
        const QString& x = s.basic.text(j, ListCol::Number);
        if (!keep(x))
            continue;
        ++n;
        ensureRow(s.narrowed, n);
        s.narrowed.setText(n, ListCol::No, ui::numberText(n));
        s.narrowed.setText(n, ListCol::Work, x);
    }
    return n;
}

void MainForm::removeRecentDraws(ListSide side, int n, int recentRows) {
    const NarrowSide s = narrowSide(side);
    // Which digits each recent number holds; a candidate goes when every one of its four
    // digits occurs in the same recent number, however often. covered[m]: some recent number
    // holds every digit of the set m; a recent number marks each subset of its digits.
    std::array<bool, 1024> covered{};
    for (int r = 1; r <= recentRows; ++r) {
        const int mask = simulate::digitMask(GrdR.text(r, s.recentCol));
        for (int sub = mask;; sub = (sub - 1) & mask) {
            covered[static_cast<size_t>(sub)] = true;
            if (sub == 0)
                break;
        }
    }
    for (int j = 1; j <= n; ++j) {
        const QString& x = s.narrowed.text(j, ListCol::Work);
        const bool fourDigits = x.size() >= 4 && std::all_of(x.begin(), x.begin() + 4, [](QChar c) {
                                    return c >= u'0' && c <= u'9';
                                });
        if (!fourDigits)
            continue;
        if (covered[static_cast<size_t>(simulate::digitMask(QStringView(x).left(4)))])
            s.narrowed.setText(j, ListCol::Work, QString());
    }
}

int MainForm::compactNarrowed(ListSide side, int n) {
    const NarrowSide s = narrowSide(side);
    int m = 0;
    for (int j = 1; j <= n; ++j) {
        const QString x = s.narrowed.text(j, ListCol::Work);
        if (x.isEmpty())
            continue;
        ++m;
        s.narrowed.setText(m, ListCol::No, ui::numberText(m));
        s.narrowed.setText(m, ListCol::Number, x);
    }
    for (int j = m + 1; j <= n; ++j)
        s.narrowed.setText(j, ListCol::No, QString());
    ensureRow(s.narrowed, m + 1);
    s.narrowed.setText(m + 1, ListCol::Number, ui::numberText(m));
    s.narrowed.setRows(m + 2);
    s.narrowed.setTopRow(m);
    s.narrowCount = m;
    return m;
}

void MainForm::findNarrowedHits() {
    auto search = [this](ui::Grid& list, int count, const QString& key, int hitValue) {
        if (key.isEmpty())
            return;
        for (int j = 1; j <= count; ++j) {
            if (list.text(j, ListCol::Number) == key) {
                list.selectCell(j, 1);
                list.setCellBackColor(ui::kHitColour);
                narrowHit = hitValue;
                list.setTopRow(j);
                return;
            }
        }
    };
    search(GrdSS2, narrowCountS, winKeyS, 1);
    search(GrdWW2, narrowCountW, winKeyW, 2);
}

} // namespace mainwindow
