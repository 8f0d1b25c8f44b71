// The prediction: recency orders, digit tables, rank transfer, axis digits, W・S prediction.
#include "predict/Analysis.h"
#include "predict/WsPrediction.h"
#include "support/PredictionHistory.h"

#include <gtest/gtest.h>

#include <map>

using namespace testing_support;

namespace {

QString orderText(const predict::RecencyOrder& order) {
    QString s;
    for (int d : order)
        s += QString::number(d);
    return s;
}

predict::RecencyOrder orderOf(const QString& digits) {
    predict::RecencyOrder order{};
    for (int k = 0; k < 10; ++k)
        order[k] = digits[k].unicode() - u'0';
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

// Places ten AAAA draws ending at draw `last` that leave the given order behind.
void placeOrder(std::map<int, QString>& numbers, int last, const QString& order) {
    const auto quads = quadsFor(order);
    for (int i = 0; i < 10; ++i)
        numbers[last - 9 + i] = quads[i];
}

QString column(const ui::Grid& grid, int col) {
    QStringList digits;
    for (int r = 1; r < grid.rows(); ++r)
        digits.append(grid.text(r, col));
    while (!digits.isEmpty() && digits.last().isEmpty())
        digits.removeLast();
    return digits.join(u' ');
}

void predictFor(mainwindow::MainForm& form, int draw) {
    form.Combo1.text = QString::number(draw);
    form.Combo1_Click();
    form.Command1_Click();
}

} // namespace

TEST(RecencyOrder, DrawnDigitsMoveToTheFrontByPattern) {
    struct Case {
        const char* prev;
        const char* number;
        int pattern;
        const char* next;
    };
    const Case cases[] = {
        {"5109234678", "1234", 0, "1234509678"}, {"5109234678", "4321", 0, "1234509678"},
        {"5109234678", "7071", 1, "7105923468"}, {"5109234678", "5553", 2, "5310924678"},
        {"5109234678", "0000", 3, "0519234678"}, {"5109234678", "9955", 4, "9510234678"},
        {"0123456789", "1234", 0, "1234056789"}, {"0123456789", "7071", 1, "7012345689"},
        {"0123456789", "3883", 4, "3801245679"}, {"0123456789", "8338", 4, "8301245679"},
    };
    for (const auto& c : cases) {
        const QString number = QString::fromLatin1(c.number);
        EXPECT_EQ(predict::patternCode(number), c.pattern) << c.number;
        EXPECT_EQ(
            orderText(predict::nextRecencyOrder(orderOf(QString::fromLatin1(c.prev)), number)),
            QString::fromLatin1(c.next))
            << c.prev << " + " << c.number;
    }
    const std::pair<const char*, int> codes[] = {{"1212", 4}, {"1221", 4}, {"1112", 2}, {"2111", 2},
                                                 {"1123", 1}, {"3211", 1}, {"7777", 3}};
    for (const auto& [number, code] : codes)
        EXPECT_EQ(predict::patternCode(QString::fromLatin1(number)), code) << number;
}

TEST(Yoso, DigitTablesFollowTheLatestDraws) {
    struct Case {
        const char* name;
        std::map<int, QString> numbers;
        int column;
        const char* want;
    };
    std::map<int, QString> colA; // Rec(P) = 8 0 5 6 3 7 2 9 1 4, then L = 1234
    placeOrder(colA, 50, QStringLiteral("8056372914"));
    colA[51] = QStringLiteral("1234");
    const Case cases[] = {
        {"A of a single: two longest waiting, then the newest", colA, 0, "1 3 4"},
        {"A of AABB", {{51, QStringLiteral("5522")}}, 0, "2 5"},
        {"A of AAAA", {{51, QStringLiteral("7777")}}, 0, "7"},
        {"B of AAAB finds both digits", {{50, QStringLiteral("3303")}}, 1, "0 3"},
        {"B of AAAA", {{50, QStringLiteral("8888")}}, 1, "8"},
        {"C repeats removed", {{41, QStringLiteral("2020")}}, 2, "0 2"},
        {"C of a single", {{41, QStringLiteral("1357")}}, 2, "1 3 5 7"},
    };
    for (const auto& c : cases) {
        Workspace ws;
        ws.writeHistory(historyWith(c.numbers));
        auto& form = ws.load();
        predictFor(form, 52);
        EXPECT_EQ(column(form.Grd1a, c.column), QString::fromLatin1(c.want)) << c.name;
    }
}

TEST(Yoso, WindowWithinOneMonthTakesItsOldestDrawForC) {
    Workspace ws;
    auto draws = historyWith({{2, QStringLiteral("4864")}});
    for (auto& d : draws)
        d.date = QStringLiteral("2026/03/02");
    ws.writeHistory(draws);
    predictFor(ws.load(), 52);
    EXPECT_EQ(column(ws.form->Grd1a, 2), QStringLiteral("4 6 8"));
}

TEST(Yoso, ShorterColumnLeavesNoStaleDigitAndTooEarlyChangesNothing) {
    Workspace ws;
    ws.writeHistory(historyWith({{50, QStringLiteral("1234")}, {51, QStringLiteral("5522")}}));
    auto& form = ws.load();
    predictFor(form, 51);
    EXPECT_EQ(column(form.Grd1a, 0), QStringLiteral("1 3 4"));
    predictFor(form, 52);
    EXPECT_EQ(column(form.Grd1a, 0), QStringLiteral("2 5"));
    EXPECT_EQ(form.GrdA[0].text(2, 0), QStringLiteral("2"));
    EXPECT_EQ(form.GrdA[0].topRow(), 51);

    predictFor(form, 50);
    EXPECT_EQ(column(form.Grd1a, 0), QStringLiteral("2 5"));
    EXPECT_EQ(form.GrdA[0].text(2, 0), QStringLiteral("2"));
}

TEST(Jyuni, RanksTransferAndAxisDigitsKeepTheirValueWhenNoColumnQualifies) {
    // Order before the latest draw 1208: 3 8 1 0 2 9 4 7 5 6; the draw before it is 3333,
    // whose digit stood at rank 10. Draw 52 is 6666, at rank 10 after 1208.
    std::map<int, QString> numbers;
    placeOrder(numbers, 50, QStringLiteral("3810294756"));
    numbers[51] = QStringLiteral("1208");
    numbers[52] = QStringLiteral("6666");
    Workspace ws;
    ws.writeHistory(historyWith(numbers, 52));
    auto& form = ws.load();

    predictFor(form, 53);
    EXPECT_EQ(form.LabJiku[0].caption, QStringLiteral("0")); // nothing qualified yet

    predictFor(form, 52);
    const QString sp(QChar(0x3000));
    const QString grd4[2][4] = {{sp + "3", sp + "5", sp + "4", sp + "2"},
                                {sp + "0", sp + "3", sp + "2", sp + "1"}};
    for (int row = 0; row < 2; ++row)
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(form.Grd4.text(row, i + 1), grd4[row][i]) << row << "," << i;
            EXPECT_EQ(form.Grd5.text(row, i + 1), row == 0 ? sp + "0" : sp + "6") << row;
        }
    EXPECT_EQ(form.LabJiku[0].caption, QStringLiteral("1"));
    EXPECT_EQ(form.LabJiku[1].caption, QStringLiteral("6"));

    predictFor(form, 53);
    EXPECT_EQ(form.Grd4.text(0, 1), sp + "0");
    EXPECT_EQ(form.LabJiku[0].caption, QStringLiteral("1"));
}

TEST(WsPrediction, LabelsCompareTextsAndTiesGoByTotals) {
    const std::tuple<const char*, const char*, const char*> labels[] = {
        {"6", "5", "W"},  {"5", "6", "S"},  {"7", "7", "-"},
        {"10", "9", "S"}, {"9", "10", "W"}, {"10", "5", "S"}};
    for (const auto& [w, s, want] : labels)
        EXPECT_EQ(predict::wsBlockLabel(QString::fromLatin1(w), QString::fromLatin1(s)),
                  QString::fromLatin1(want))
            << w << " vs " << s;
    const std::tuple<int, int, int, int, const char*> verdicts[] = {{5, 3, 40, 40, "W"},
                                                                    {2, 3, 50, 40, "S"},
                                                                    {4, 4, 43, 44, "W"},
                                                                    {4, 4, 44, 44, "S"},
                                                                    {4, 4, 45, 44, "S"}};
    for (const auto& [nW, nS, totalW, totalS, want] : verdicts)
        EXPECT_EQ(predict::wsVerdict(nW, nS, totalW, totalS), QString::fromLatin1(want))
            << nW << "/" << nS << " " << totalW << "/" << totalS;
}

namespace {

// A form whose history grid holds the given S/W flags for draws 1..E (columns 9 and 2),
// asked for the draw after E. The last pass predicts draw E - 499 and leaves Grd3 behind.
void runWs(mainwindow::MainForm& form, const QString& flags) {
    const int E = static_cast<int>(flags.size());
    form.Grd2.setRows(E + 2);
    for (int n = 1; n <= E; ++n) {
        form.Grd2.setText(n, 9, flags.mid(n - 1, 1));
        form.Grd2.setText(n, 2, flags.mid(n - 1, 1));
    }
    form.Combo1.text = QString::number(E + 1);
    form.NewWSset();
}

} // namespace

TEST(WsPrediction, BlockAtKAlwaysMatchesOnTheDrawItPredicts) {
    for (const QChar next : {QChar(u'W'), QChar(u'S')}) {
        Workspace ws;
        auto& form = *ws.form;
        QString flags(600, u'S');
        const int k = 100; // the last pass
        flags[k - 1] = u'W';
        flags[k] = next;
        runWs(form, flags);
        const bool w = next == u'W';
        EXPECT_EQ(form.Grd3.text(1, 0), QStringLiteral("100"));
        EXPECT_EQ(form.Grd3.text(1, 1), QStringLiteral("96"));
        EXPECT_EQ(form.Grd3.text(1, 2), w ? QStringLiteral("6") : QStringLiteral("5"));
        EXPECT_EQ(form.Grd3.text(1, 3), w ? QStringLiteral("5") : QStringLiteral("6"));
        EXPECT_EQ(form.Grd3.text(2, 4), QStringLiteral("-"));
        EXPECT_EQ(form.Grd3.text(9, 4), QString(next));
        EXPECT_EQ(form.Grd2.text(k + 1, 10), QString(next));
        EXPECT_EQ(form.Grd2.text(k + 1, 11), w ? QStringLiteral("●") : QStringLiteral("〇"));
        EXPECT_EQ(form.Grd2.text(601, 10).size(), 1);
        EXPECT_EQ(form.Grd2.text(601, 11), QString());
        EXPECT_EQ(form.Grd2.text(k, 10), QString());
    }
}

TEST(WsPrediction, AllDoublesPredictSingleByTextAndClearAnOldMark) {
    Workspace ws;
    auto& form = *ws.form;
    form.Grd2.setRows(602);
    form.Grd2.setText(101, 11, QStringLiteral("●"));
    runWs(form, QString(600, u'W'));
    EXPECT_EQ(form.Grd3.text(1, 2), QStringLiteral("10"));
    EXPECT_EQ(form.Grd3.text(1, 3), QStringLiteral("5"));
    EXPECT_EQ(form.Grd3.text(1, 4), QStringLiteral("S"));
    EXPECT_EQ(form.Grd3.text(9, 2), QStringLiteral("80"));
    EXPECT_EQ(form.Grd3.text(9, 3), QStringLiteral("40"));
    EXPECT_EQ(form.Grd2.text(101, 10), QStringLiteral("S"));
    EXPECT_EQ(form.Grd2.text(101, 11), QString());
}

TEST(WsPrediction, ShortHistoryReadsRowsBeforeDrawOneAsEmpty) {
    Workspace ws;
    auto& form = *ws.form;
    runWs(form, QStringLiteral("SWSSWWSWSS"));
    for (int n = 1; n <= 11; ++n)
        EXPECT_EQ(form.Grd2.text(n, 10).size(), 1) << n;
}
