// The narrowings beside ③S・W絞り: ③C枠絞り, ③軸数字絞り, ③軸数字絞り２, ④更に絞る and
// 絞り「テスト. They share its inputs, outputs and hit search and differ in what they keep.
#include "Narrowing.h"

#include "mainwindow/MainForm.h"
#include "ui/Numeric.h"

namespace mainwindow {

namespace {

// An axis digit is the last character of its label; an empty label gives an empty text,
// which every candidate contains.
QString axisDigit(const ui::Label& label) {
    return label.caption.right(1);
}

} // namespace

void MainForm::narrowByKeepRule(const std::function<bool(const QString&)>& keep) {
    if (basicListEmpty())
        return;
    headNarrowedLists();
    const int draw = selectedDraw();
    for (ListSide side : {ListSide::S, ListSide::W}) {
        // The recent numbers are collected as by ③S・W絞り, for GrdR, but not used.
        collectRecent(side, draw, narrowingSize(side));
        compactNarrowed(side, fillWorkColumn(side, keep));
    }
    findNarrowedHits();
}

void MainForm::Command12_Click() {
    const QStringList cList = cFrameDigits();
    narrowByKeepRule([&](const QString& x) {
        const int c = simulate::containedCount(x, cList);
        return c == 1 || c == 2;
    });
}

void MainForm::Command13_Click() {
    const QString axis1 = axisDigit(LabJiku[0]);
    const QString axis2 = axisDigit(LabJiku[1]);
    narrowByKeepRule([&](const QString& x) { return x.contains(axis1) || x.contains(axis2); });
}

void MainForm::Command14_Click() {
    if (basicListEmpty())
        return;
    headNarrowedLists();
    const QString axis1 = axisDigit(LabJiku[0]);
    const QString axis2 = axisDigit(LabJiku[1]);
    const int draw = selectedDraw();
    for (ListSide side : {ListSide::S, ListSide::W}) {
        const int recent = collectRecent(side, draw, narrowingSize(side));
        const int n = fillWorkColumn(side, [](const QString&) { return true; });
        removeRecentDraws(side, n, recent);
        ui::Grid& list = narrowSide(side).narrowed;
        for (int j = 1; j <= n; ++j) {
            const QString& x = list.text(j, ListCol::Work);
            if (!x.isEmpty() && !x.contains(axis1) && !x.contains(axis2))
                list.setText(j, ListCol::Work, QString());
        }
        compactNarrowed(side, n);
    }
    findNarrowedHits();
}

void MainForm::Command10_Click() {
    // Runs on whatever the basic lists hold, even nothing, and writes the kept candidates
    // straight into the lists: no count row, and only a hit moves the top row.
    headNarrowedLists();
    const QString K = showShiftedUnitsDigit(selectedDraw());
    const QString L = Label12.caption;
    for (ListSide side : {ListSide::S, ListSide::W}) {
        const NarrowSide s = narrowSide(side);
        int m = 0;
        for (int j = 1; j <= s.basicCount; ++j) {
            const QString x = s.basic.text(j, ListCol::Number);
            if (x.contains(K) || x.contains(L))
                continue;
            ++m;
            simulate::ensureRow(s.narrowed, m + 1);
            s.narrowed.setText(m, ListCol::No, ui::numberText(m));
            s.narrowed.setText(m, ListCol::Number, x);
        }
        s.narrowed.setRows(m + 2);
        s.narrowCount = m;
    }
    findNarrowedHits();
}

void MainForm::Command9_Click() {
    // P: the digits of columns Ａ, Ｂ and Ｃ (rows 1 to 5) in that order, twelve at most.
    constexpr int kMaxDigits = 12;
    QStringList P;
    for (int col = 0; col <= 2; ++col)
        for (int row = 1; row <= 5; ++row)
            if (!Grd1a.text(row, col).isEmpty() && P.size() < kMaxDigits)
                P.append(Grd1a.text(row, col));
    // R: every entry that appears again later in P (a digit present k times gives k - 1).
    QStringList R;
    for (qsizetype i = 0; i + 1 < P.size(); ++i)
        if (P.indexOf(P[i], i + 1) >= 0)
            R.append(P[i]);

    int m = 0;
    for (int j = 1; j <= basicCountS; ++j) {
        const QString x = GrdSS.text(j, ListCol::Number);
        if (simulate::containedCount(x, R) == 0)
            continue;
        ++m;
        simulate::ensureRow(GrdSS2, m + 1);
        GrdSS2.setText(m, ListCol::No, ui::numberText(m));
        GrdSS2.setText(m, ListCol::Number, x);
    }
    GrdSS2.setRows(m + 2);
    narrowCountS = m;
}

} // namespace mainwindow
