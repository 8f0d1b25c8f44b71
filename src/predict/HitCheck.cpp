// The hit check of the basic lists against the selected draw's winning number.
#include "mainwindow/MainForm.h"
#include "ui/Numeric.h"
#include "ui/Palette.h"

namespace mainwindow {

bool sameBox(const QString& candidate, const QString& winning) {
    if (candidate.size() < 4 || winning.size() < 4)
        return false;
    bool used[4] = {};
    for (int a = 0; a < 4; ++a) {
        bool found = false;
        for (int b = 0; b < 4 && !found; ++b) {
            if (!used[b] && candidate[b] == winning[a])
                used[b] = found = true;
        }
        if (!found)
            return false;
    }
    return true;
}

MainForm::WinningBox
MainForm::findWinningBox(const std::function<const QString&(bool single, int row)>& candidate) {
    const QString winning = Label2.caption;
    if (winning.isEmpty())
        return {};
    winKeyW.clear();
    winKeyS.clear();
    const QString& type = Grd2.text(static_cast<int>(ui::leadingInt(Combo1.text)), Grd2Col::Type);
    if (type == QStringLiteral("A"))
        return {};

    const bool single = type == QStringLiteral("S");
    const int count = single ? basicCountS : basicCountW;
    for (int r = 1; r <= count; ++r) {
        const QString& x = candidate(single, r);
        if (sameBox(x, winning)) {
            (single ? hitS : hitW) = 1;
            (single ? winKeyS : winKeyW) = x;
            return {single, r};
        }
    }
    return {};
}

void MainForm::WWSSatari() {
    const WinningBox found = findWinningBox([this](bool single, int r) -> const QString& {
        return (single ? GrdSS : GrdWW).text(r, ListCol::Number);
    });
    if (found.row == 0)
        return;
    ui::Grid& list = found.single ? GrdSS : GrdWW;
    list.selectCell(found.row, 1);
    list.setCellBackColor(ui::kHitColour);
    list.setTopRow(found.row);
}

} // namespace mainwindow
