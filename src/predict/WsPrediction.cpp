// The W・S prediction: will the next number be a single or a double?
#include "WsPrediction.h"

#include "mainwindow/MainForm.h"
#include "ui/Numeric.h"

#include <algorithm>

namespace predict {

QString wsBlockLabel(const QString& wTally, const QString& sTally) {
    if (wTally == sTally)
        return QStringLiteral("-");
    return wTally > sTally ? QStringLiteral("W") : QStringLiteral("S");
}

QString wsVerdict(int labelsW, int labelsS, int totalW, int totalS) {
    if (labelsW != labelsS)
        return labelsW > labelsS ? QStringLiteral("W") : QStringLiteral("S");
    return totalS > totalW ? QStringLiteral("W") : QStringLiteral("S");
}

} // namespace predict

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
    auto flag = [&](int draw) -> const QString& {
        return draw >= 1 ? Grd2.text(draw, Grd2Col::Flag) : kNone;
    };

    // A draw number past the history grid's next-draw row has nothing to predict from.
    const int first = std::min(E, Grd2.rows() - 2);
    for (int k = first; k >= E - (kPasses - 1) && k >= 0; --k) {
        const QString& K0 = flag(k);
        const QString& K1 = flag(k - 1);
        const QString& K2 = flag(k - 2);

        int b = k;
        for (int i = 1; i <= kBlocks; ++i) {
            Grd3.setText(i, WsWorkCol::From, QString::number(b));
            Grd3.setText(i, WsWorkCol::To, QString::number(b - (kBlockDraws - 1)));
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
            Grd3.setText(i, WsWorkCol::WCount, wText);
            Grd3.setText(i, WsWorkCol::SCount, sText);
            totalW += w;
            totalS += s;
            const QString label = predict::wsBlockLabel(wText, sText);
            if (label == kW)
                ++nW;
            else if (label == kS)
                ++nS;
            Grd3.setText(i, WsWorkCol::Verdict, label);
        }
        Grd3.setText(9, WsWorkCol::WCount, QString::number(totalW));
        Grd3.setText(9, WsWorkCol::SCount, QString::number(totalS));

        const QString prediction = predict::wsVerdict(nW, nS, totalW, totalS);
        Grd3.setText(9, WsWorkCol::Verdict, prediction);

        const int target = k + 1;
        Grd2.setText(target, Grd2Col::WsPrediction, prediction.left(1));
        // A mark left by an earlier run over another history would count as a hit in the
        // tally, so a miss clears it.
        if (Grd2.text(target, Grd2Col::Type) == Grd2.text(target, Grd2Col::WsPrediction))
            Grd2.setText(target, Grd2Col::WsMark, prediction == kW ? kHitMarkW : kHitMarkS);
        else if (!Grd2.text(target, Grd2Col::WsMark).isEmpty())
            Grd2.setText(target, Grd2Col::WsMark, QString());
    }
}

} // namespace mainwindow
