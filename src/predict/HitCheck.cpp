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

void MainForm::WWSSatari() {
    const QString winning = Label2.caption;
    if (winning.isEmpty())
        return;
    winKeyW.clear();
    winKeyS.clear();
    const QString& type = Grd2.text(static_cast<int>(ui::leadingInt(Combo1.text)), Grd2Col::Type);
    if (type == QStringLiteral("A"))
        return;

    const bool single = type == QStringLiteral("S");
    ui::Grid& list = single ? GrdSS : GrdWW;
    const int count = single ? basicCountS : basicCountW;
    int& hit = single ? hitS : hitW;
    QString& key = single ? winKeyS : winKeyW;
    for (int r = 1; r <= count; ++r) {
        if (sameBox(list.text(r, ListCol::Number), winning)) {
            list.selectCell(r, 1);
            list.setCellBackColor(ui::kHitColour);
            hit = 1;
            key = list.text(r, ListCol::Number);
            list.setTopRow(r);
            return;
        }
    }
}

} // namespace mainwindow
