// The draws of the verification month: the first and last history row of the year and month
// chosen in Combo3(0) and Combo3(1).
#include "MainForm.h"

#include "predict/Analysis.h"
#include "ui/Numeric.h"

namespace mainwindow {

namespace {

QString twoDigits(long long n) {
    return QStringLiteral("%1").arg(n, 2, 10, QChar(u'0'));
}

} // namespace

void MainForm::NenGetuS() {
    const QString& yearText = Combo3[0].text;
    const long long year = ui::leadingInt(yearText);
    const long long month = ui::leadingInt(Combo3[1].text);

    // The key keeps the year as typed; December's successor is built from the number.
    const QString key = yearText + u'/' + twoDigits(month);
    const QString nextKey = month + 1 > 12
                                ? QString::number(year + 1).right(4) + QStringLiteral("/01")
                                : yearText + u'/' + twoDigits(month + 1);

    // The first draw that can be predicted has the 50 draws before it; a month's earlier
    // draws cannot be verified.
    monthFirstDraw = 0;
    for (int r = predict::kFirstPredictableDraw; r <= HistRows; ++r) {
        if (QStringView(Grd2.text(r, Grd2Col::Date)).left(7) == key) {
            monthFirstDraw = r;
            break;
        }
    }

    monthLastDraw = 0;
    if (monthFirstDraw == 0)
        return;
    for (int r = monthFirstDraw; r <= HistRows; ++r) {
        if (QStringView(Grd2.text(r, Grd2Col::Date)).left(7) == nextKey) {
            monthLastDraw = r - 1;
            break;
        }
    }
    // No draw of the next month yet: the month runs to the latest draw.
    if (monthLastDraw == 0)
        monthLastDraw = HistRows;
}

} // namespace mainwindow
