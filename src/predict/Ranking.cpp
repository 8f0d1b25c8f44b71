// Rank transfer (Jyuni) and the two axis digits (NewVerSort).
#include "mainwindow/MainForm.h"
#include "ui/Numeric.h"

namespace mainwindow {

namespace {

const QChar kIdeographicSpace(0x3000);

// For each digit of the number in row `drawn`, the rank it held in the order of row
// `before`, and the digit holding that rank in the latest order.
void transferRanks(const ui::Grid& a, int drawn, int before, ui::Grid& out) {
    for (int i = 1; i <= 4; ++i) {
        out.setText(0, i, QString());
        out.setText(1, i, QString());
    }
    const QString& number = a.text(drawn, AnalysisCol::WinNumber);
    for (int i = 1; i <= 4; ++i) {
        const QString c = number.mid(i - 1, 1);
        if (c.isEmpty())
            continue;
        for (int r = AnalysisCol::Rank1; r < AnalysisCol::Rank1 + 10; ++r) {
            if (a.text(before, r) == c) {
                // Rank 10 shows as 0.
                out.setText(
                    0, i, kIdeographicSpace + QString::number(r - AnalysisCol::Rank1 + 1).right(1));
                break;
            }
        }
    }
    for (int i = 1; i <= 4; ++i) {
        long long rank = ui::leadingInt(out.text(0, i));
        if (rank == 0)
            rank = 10;
        out.setText(
            1, i, kIdeographicSpace + a.text(51, AnalysisCol::Rank1 + static_cast<int>(rank) - 1));
    }
}

} // namespace

void MainForm::Jyuni() {
    const ui::Grid& a = GrdA[0];
    transferRanks(a, 51, 50, Grd4);
    transferRanks(a, 50, 49, Grd5);
}

void MainForm::NewVerSort() {
    // First axis digit: the smallest shown rank of the latest draw; rank 10 (shown 0) never
    // wins.
    long long best = 10;
    for (int i = 1; i <= 4; ++i) {
        const long long v = ui::leadingInt(Grd4.text(0, i));
        if (v < best && v != 0) {
            best = v;
            axisDigit1 = static_cast<int>(ui::leadingInt(Grd4.text(1, i)));
        }
    }
    LabJiku[0].caption = ui::numberText(axisDigit1);

    // Second axis digit: rank 10 of the draw before wins at once, else its largest rank.
    long long worst = 0;
    for (int i = 1; i <= 4; ++i) {
        const long long v = ui::leadingInt(Grd5.text(0, i));
        if (v == 0) {
            axisDigit2 = static_cast<int>(ui::leadingInt(Grd5.text(1, i)));
            break;
        }
        if (v > worst) {
            worst = v;
            axisDigit2 = static_cast<int>(ui::leadingInt(Grd5.text(1, i)));
        }
    }
    LabJiku[1].caption = ui::numberText(axisDigit2);
}

} // namespace mainwindow
