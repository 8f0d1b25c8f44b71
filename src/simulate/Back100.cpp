// Back100件: the 100 draws before the selected one, each single with the latest earlier draw
// of the same box and the number of draws between them.
#include "mainwindow/MainForm.h"
#include "ui/Numeric.h"

#include <algorithm>

namespace mainwindow {

namespace {

constexpr int kListedDraws = 100;
constexpr int kLookBack = 301;

} // namespace

void MainForm::Command5_Click() {
    static const QString kS = QStringLiteral("S");
    const int last = static_cast<int>(ui::leadingInt(Combo1.text)) - 1;
    // Draws before draw 1 do not exist: a short history lists what there is from row 1.
    const int first = std::max(1, last - (kListedDraws - 1));

    int r = 0;
    for (int i = first; i <= last; ++i) {
        ++r;
        GrdR.setText(r, 0, Grd2.text(i, 0));
        GrdR.setText(r, 1, Grd2.text(i, 1));
        if (Grd2.text(i, 2) != kS)
            continue;
        const QString number = GrdR.text(r, 1);
        for (int j = i - 1; j >= std::max(1, i - kLookBack); --j) {
            if (Grd2.text(j, 2) == kS && sameBox(number, Grd2.text(j, 1))) {
                GrdR.setText(r, 2, QString::number(j));
                GrdR.setText(r, 3, QString::number((i - 1) - j));
                break;
            }
        }
    }
}

void MainForm::Label3_DblClick() {
    const bool show = !GrdR.visible();
    GrdR.setVisible(show);
    Command5.visible = show;
}

} // namespace mainwindow
