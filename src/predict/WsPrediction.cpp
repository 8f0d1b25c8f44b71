// The W・S prediction: will the next number be a single or a double?
#include "mainwindow/MainForm.h"

#include "ui/Numeric.h"

namespace mainwindow {

void MainForm::NewWSset() {
    constexpr int kBlocks = 8;
    constexpr int kBlockDraws = 5;
    constexpr int kPasses = 501;
    static const QString kW = QStringLiteral("W");
    static const QString kS = QStringLiteral("S");
    static const QString kNone;

    Grd3.setRows(10);
    const int E = static_cast<int>(ui::leadingInt(Combo1.text)) - 1;
    // Rows before draw 1 (the heading row included) read as empty.
    auto flag = [&](int draw) -> const QString& { return draw >= 1 ? Grd2.text(draw, 9) : kNone; };

    for (int k = E; k >= E - (kPasses - 1) && k >= 0; --k) {
        const QString& K0 = flag(k);
        const QString& K1 = flag(k - 1);
        const QString& K2 = flag(k - 2);

        int b = k;
        for (int i = 1; i <= kBlocks; ++i) {
            Grd3.setText(i, 0, QString::number(b));
            Grd3.setText(i, 1, QString::number(b - (kBlockDraws - 1)));
            b -= kBlockDraws;
        }

        int totalW = 0;
        int totalS = 0;
        int nW = 0;
        int nS = 0;
        for (int i = 1; i <= kBlocks; ++i) {
            const int from = k - (i - 1) * kBlockDraws;
            int w = 0;
            int s = 0;
            for (int j = from; j >= from - (kBlockDraws - 1); --j) {
                if (flag(j - 2) == K2 && flag(j - 1) == K1 && flag(j) == K0) {
                    if (flag(j + 1) == kW)
                        ++w;
                    else
                        ++s;
                }
                ++w;
                ++s;
            }
            const QString wText = QString::number(w);
            const QString sText = QString::number(s);
            Grd3.setText(i, 2, wText);
            Grd3.setText(i, 3, sText);
            totalW += w;
            totalS += s;
            // The tallies are compared as texts, so "10" orders before "9".
            QString label = QStringLiteral("-");
            if (wText != sText) {
                label = wText > sText ? kW : kS;
                (label == kW ? nW : nS) += 1;
            }
            Grd3.setText(i, 4, label);
        }
        Grd3.setText(9, 2, QString::number(totalW));
        Grd3.setText(9, 3, QString::number(totalS));

        QString prediction;
        if (nW > nS)
            prediction = kW;
        else if (nW < nS)
            prediction = kS;
        else
            prediction = totalS > totalW ? kW : kS;
        Grd3.setText(9, 4, prediction);

        const int target = k + 1;
        Grd2.setText(target, 10, prediction.left(1));
        if (Grd2.text(target, 2) == Grd2.text(target, 10))
            Grd2.setText(target, 11, prediction == kW ? QStringLiteral("●") : QStringLiteral("〇"));
    }
}

} // namespace mainwindow
