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
        GrdR.setText(r, Back100Col::Number, Grd2.text(i, Grd2Col::Number));
        GrdR.setText(r, Back100Col::WinNumber, Grd2.text(i, Grd2Col::WinNumber));
        if (Grd2.text(i, Grd2Col::Type) != kS)
            continue;
        const QString number = GrdR.text(r, Back100Col::WinNumber);
        for (int j = i - 1; j >= std::max(1, i - kLookBack); --j) {
            if (Grd2.text(j, Grd2Col::Type) == kS &&
                sameBox(number, Grd2.text(j, Grd2Col::WinNumber))) {
                GrdR.setText(r, Back100Col::EarlierDraw, QString::number(j));
                GrdR.setText(r, Back100Col::DrawsBetween, QString::number((i - 1) - j));
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
