// The prediction: recency orders, digit tables, rank transfer, axis digits, W・S prediction.
#include "predict/Analysis.h"
#include "predict/WsPrediction.h"
#include "simulate/Narrowing.h"
#include "support/PredictionHistory.h"

#include <gtest/gtest.h>

#include <map>

using mainwindow::Grd2Col;
using mainwindow::WsWorkCol;

using namespace testing_support;

namespace {

predict::RecencyOrder orderOf(const char* digits) {
    predict::RecencyOrder order{};
    for (int k = 0; k < 10; ++k)
        order[k] = digits[k] - '0';
    return order;
}

// A history of `count` filler draws on weekdays from 2026/01/05 (draw 41 opens March), with
// the given numbers placed at their draws.
std::vector<Draw> historyWith(const std::map<int, QString>& numbers, int count = 51) {
    auto draws = weekdayDraws(count, QStringLiteral("2026/01/05"), {QStringLiteral("0000")});
    for (const auto& [n, number] : numbers)
        draws[n - 1].number = number;
    return draws;
}

// Cells 1..4 of a row of the rank tables, without their padding.
QString cells(const ui::Grid& grid, int row) {
    QStringList texts;
    for (int i = 1; i <= 4; ++i)
        texts.append(grid.text(row, i).trimmed());
    return texts.join(u' ');
}

void predictFor(mainwindow::MainForm& form, int draw) {
    form.Combo1.text = QString::number(draw);
    form.Combo1_Click();
    form.Command1_Click();
}

// A form whose history grid holds the given S/W flags for draws 1..E (columns 9 and 2),
// asked for the draw after E. The last pass predicts draw max(E - 499, 1).
void runWs(mainwindow::MainForm& form, const QString& flags) {
    const int E = static_cast<int>(flags.size());
    form.Grd2.setRows(E + 2);
    for (int n = 1; n <= E; ++n) {
        form.Grd2.setText(n, Grd2Col::Flag, flags.mid(n - 1, 1));
        form.Grd2.setText(n, Grd2Col::Type, flags.mid(n - 1, 1));
    }
    form.Combo1.text = QString::number(E + 1);
    form.NewWSset();
}

} // namespace

TEST(RecencyOrder, DrawnDigitsMoveToTheFrontByPattern) {
    const std::tuple<const char*, const char*, int, const char*> cases[] = {
        {"5109234678", "1234", 0, "1234509678"}, {"5109234678", "4321", 0, "1234509678"},
        {"5109234678", "7071", 1, "7105923468"}, {"5109234678", "5553", 2, "5310924678"},
        {"5109234678", "0000", 3, "0519234678"}, {"5109234678", "9955", 4, "9510234678"},
        {"0123456789", "8338", 4, "8301245679"}};
    for (const auto& [prev, number, pattern, next] : cases) {
        EXPECT_EQ(predict::patternCode(QString::fromLatin1(number)), pattern) << number;
        EXPECT_EQ(predict::nextRecencyOrder(orderOf(prev), QString::fromLatin1(number)),
                  orderOf(next))
            << prev << " + " << number;
    }
    const std::pair<const char*, int> codes[] = {{"1212", 4}, {"2111", 2}, {"3211", 1}};
    for (const auto& [number, code] : codes)
        EXPECT_EQ(predict::patternCode(QString::fromLatin1(number)), code) << number;
}

// The digit tables of real and hand-made histories: tests/data/prediction.
TEST(Yoso, ShorterColumnLeavesNoStaleDigitAndTooEarlyChangesNothing) {
    Workspace ws;
    ws.writeHistory(historyWith({{50, "1234"}, {51, "5522"}}));
    auto& form = ws.load();
    const std::pair<int, const char*> steps[] = {{51, "1 3 4"}, {52, "2 5"}, {50, "2 5"}};
    for (const auto& [draw, want] : steps) {
        predictFor(form, draw);
        EXPECT_EQ(simulate::digitColumn(form.Grd1a, 0, 8).join(u' '), want) << draw;
    }
}

TEST(Jyuni, RanksTransferAndAxisDigitsKeepTheirValueWhenNoColumnQualifies) {
    // Order before the latest draw 1208: 3 8 1 0 2 9 4 7 5 6. Draw 52, 6666, leaves no
    // column qualifying for draw 53.
    std::map<int, QString> numbers{{51, "1208"}, {52, "6666"}};
    for (int i = 0; i < 10; ++i) // ten AAAA draws that leave the order behind
        numbers[50 - i] = QString(4, QChar(u"3810294756"[i]));
    Workspace ws;
    ws.writeHistory(historyWith(numbers, 52));
    auto& form = ws.load();
    predictFor(form, 53);
    EXPECT_EQ(form.LabJiku[0].caption, QStringLiteral("0")); // nothing qualified yet

    predictFor(form, 52);
    EXPECT_EQ(cells(form.Grd4, 0) + " / " + cells(form.Grd4, 1), "3 5 4 2 / 0 3 2 1");
    EXPECT_EQ(form.LabJiku[0].caption + form.LabJiku[1].caption, QStringLiteral("16"));

    predictFor(form, 53);
    EXPECT_EQ(form.LabJiku[0].caption, QStringLiteral("1"));
}

TEST(WsPrediction, LabelsCompareTextsAndTiesGoByTotals) {
    const std::tuple<const char*, const char*, const char*> labels[] = {
        {"6", "5", "W"}, {"5", "6", "S"}, {"7", "7", "-"}, {"10", "9", "S"}, {"9", "10", "W"}};
    for (const auto& [w, s, want] : labels)
        EXPECT_EQ(predict::wsBlockLabel(QString::fromLatin1(w), QString::fromLatin1(s)), want)
            << w << " vs " << s;
    const std::tuple<int, int, int, int, const char*> verdicts[] = {{5, 3, 40, 40, "W"},
                                                                    {2, 3, 50, 40, "S"},
                                                                    {4, 4, 43, 44, "W"},
                                                                    {4, 4, 44, 44, "S"},
                                                                    {4, 4, 45, 44, "S"}};
    for (const auto& [nW, nS, totalW, totalS, want] : verdicts)
        EXPECT_EQ(predict::wsVerdict(nW, nS, totalW, totalS), want)
            << nW << "/" << nS << " " << totalW << "/" << totalS;
}

TEST(WsPrediction, LastPassCountsRepeatsOfTheLatestFlagsAndMarksDraw101) {
    // 600 draws; draw 100 is W and draw 101 is W or S among S, or all are W. Block 1 of
    // the last pass (draws 100..96) holds its own three flags once, followed by draw 101.
    QString sww(600, u'S');
    sww[99] = sww[100] = u'W';
    QString sws = sww;
    sws[100] = u'S';
    const std::tuple<QString, const char*, const char*, const char*> cases[] = {
        {sww, "6/5", "W", "●"}, {sws, "5/6", "S", "〇"}, {QString(600, u'W'), "10/5", "S", ""}};
    for (const auto& [flags, block1, verdict, mark] : cases) {
        Workspace ws;
        auto& form = *ws.form;
        form.Grd2.setRows(602);
        form.Grd2.setText(101, Grd2Col::WsMark, QStringLiteral("●")); // left by an earlier run
        runWs(form, flags);
        EXPECT_EQ(form.Grd3.text(1, WsWorkCol::WCount) + "/" + form.Grd3.text(1, WsWorkCol::SCount),
                  block1);
        EXPECT_EQ(form.Grd3.text(9, WsWorkCol::Verdict), verdict);
        EXPECT_EQ(form.Grd2.text(101, Grd2Col::WsPrediction) + form.Grd2.text(101, Grd2Col::WsMark),
                  QString(verdict) + mark);
        EXPECT_TRUE(form.Grd2.text(100, Grd2Col::WsPrediction).isEmpty());
        EXPECT_FALSE(form.Grd2.text(601, Grd2Col::WsPrediction).isEmpty());
    }
    Workspace ws; // a short history reads the rows before draw 1 as empty
    runWs(*ws.form, QStringLiteral("SWSSWWSWSS"));
    for (int n = 1; n <= 11; ++n)
        EXPECT_EQ(ws.form->Grd2.text(n, Grd2Col::WsPrediction).size(), 1) << n;
}
