// ③S・W絞り: drop the basic candidates that came out recently, optionally after the
// "更に絞る" and "C枠　２個絞り" rules.
#include "Narrowing.h"

#include "mainwindow/MainForm.h"

namespace mainwindow {

void MainForm::Command4_Click() {
    if (basicListEmpty())
        return;
    headNarrowedLists();
    const QStringList cList = cFrameDigits();
    const int draw = selectedDraw();
    const QString K = showShiftedUnitsDigit(draw);
    const QString L = Label12.caption;
    const bool more = Check1.value != 0;
    const bool cFrame = Check2.value != 0;

    // An empty marker is contained in every candidate, so "更に絞る" then drops them all.
    // The C-frame rule, when ticked, decides alone.
    auto keep = [&](const QString& x) {
        bool drop = false;
        if (more)
            drop = x.contains(K) || x.contains(L);
        if (cFrame) {
            const int c = simulate::containedCount(x, cList);
            drop = !(c == 1 || c == 2);
        }
        return !drop;
    };

    for (ListSide side : {ListSide::S, ListSide::W}) {
        const int size = narrowingSize(side);
        const int recent = collectRecent(side, draw, size);
        const int n = fillWorkColumn(side, keep);
        removeRecentDraws(side, n, recent);
        compactNarrowed(side, n);
    }
    findNarrowedHits();
}

} // namespace mainwindow
