// The skeleton every ③ narrowing shares: heading the narrowed lists, the recent draws, the
// work column, the recent-draw removal, the compaction and the hit search.
#include "Narrowing.h"

#include "mainwindow/MainForm.h"
#include "ui/Numeric.h"
#include "ui/Palette.h"

#include <algorithm>
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

int fourDigitMask(QStringView x) {
    const bool fourDigits = x.size() >= 4 && std::all_of(x.begin(), x.begin() + 4, [](QChar c) {
                                return c >= u'0' && c <= u'9';
                            });
    return fourDigits ? digitMask(x.left(4)) : -1;
}

QString shiftedUnitsDigit(const ui::Grid& history, int draw) {
    const QString& previous = history.text(draw - 1, mainwindow::Grd2Col::WinNumber);
    return ui::numberText((ui::leadingInt(previous.right(1)) + 1) % 10);
}

std::vector<int> recentDraws(const ui::Grid& history, const QString& type, int draw, int count) {
    std::vector<int> rows;
    for (int i = draw - 1; i >= std::max(1, draw - 1001) && static_cast<int>(rows.size()) < count;
         --i)
        if (history.text(i, mainwindow::Grd2Col::Type) == type)
            rows.push_back(i);
    return rows;
}

void cover(CoveredSets& covered, QStringView number) {
    const int mask = digitMask(number);
    for (int sub = mask;; sub = (sub - 1) & mask) {
        covered.set(static_cast<size_t>(sub));
        if (sub == 0)
            break;
    }
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
    Label11.caption = simulate::shiftedUnitsDigit(Grd2, draw);
    return Label11.caption;
}

int MainForm::collectRecent(ListSide side, int draw, int bound) {
    const NarrowSide s = narrowSide(side);
    // Rows of an earlier run must not stand in for draws this run did not find.
    for (int r = 1; r < GrdR.rows(); ++r)
        if (!GrdR.text(r, s.recentCol).isEmpty())
            GrdR.setText(r, s.recentCol, QString());
    // The column shows one draw past the bound; the removal compares with the bound's draws.
    const std::vector<int> recent =
        simulate::recentDraws(Grd2, s.type, draw, std::max(bound, 0) + 1);
    for (size_t k = 0; k < recent.size(); ++k) {
        const int row = static_cast<int>(k) + 1;
        ensureRow(GrdR, row);
        GrdR.setText(row, s.recentCol, Grd2.text(recent[k], Grd2Col::WinNumber));
    }
    return std::clamp(static_cast<int>(recent.size()), 0, std::max(bound, 0));
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
    simulate::CoveredSets covered;
    for (int r = 1; r <= recentRows; ++r)
        simulate::cover(covered, GrdR.text(r, s.recentCol));
    for (int j = 1; j <= n; ++j) {
        const int four = simulate::fourDigitMask(s.narrowed.text(j, ListCol::Work));
        if (four >= 0 && covered.test(static_cast<size_t>(four)))
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
