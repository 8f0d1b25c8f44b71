#include "support/HistoryGrid.h"
#include "support/TestHistory.h"

#include <gtest/gtest.h>

namespace {

using testing_support::GridDraw;

// Draws 4990-5009 in 2019/11, 5010-5029 in 2019/12, 5030-5049 in 2020/01 and 5050-5060 (the
// latest) in 2020/02; everything before in 2019/10.
std::vector<GridDraw> monthHistory() {
    std::vector<GridDraw> draws;
    auto month = [&](int from, int to, const QString& ym) {
        for (int r = from; r <= to; ++r)
            draws.push_back({QStringLiteral("1234"),
                             QStringLiteral("%1/%2").arg(ym).arg(r - from + 1, 2, 10, QChar(u'0')),
                             QStringLiteral("0"),
                             {},
                             {}});
    };
    for (int r = 1; r <= 4989; ++r)
        draws.push_back({QStringLiteral("1234"), QStringLiteral("2019/10/15"), {}, {}, {}});
    month(4990, 5009, QStringLiteral("2019/11"));
    month(5010, 5029, QStringLiteral("2019/12"));
    month(5030, 5049, QStringLiteral("2020/01"));
    month(5050, 5060, QStringLiteral("2020/02"));
    return draws;
}

struct MonthCase {
    const char* year;
    const char* month;
    int first;
    int last;
};

TEST(NenGetuS, FindsTheDrawsOfTheChosenMonth) {
    const MonthCase cases[] = {
        {"2019", "12", 5010, 5029}, // December ends where January begins
        {"2020", "1", 5030, 5049},  {"2020", "01", 5030, 5049},
        {"2020", "2", 5050, 5060},  // the latest month runs to the latest draw
        {"2019", "11", 5000, 5009}, // the scan starts at row 5000, not at the month's start
        {"2019", "10", 0, 0},       // all below draw 5000
        {"2020", "3", 0, 0},        // no draw yet
        {"2020", "", 0, 0},         {"", "12", 0, 0},
    };
    testing_support::Workspace ws;
    auto& f = *ws.form;
    testing_support::fillHistoryGrid(f, monthHistory());
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.year) + "/" + c.month);
        f.Combo3[0].text = QString::fromUtf8(c.year);
        f.Combo3[1].text = QString::fromUtf8(c.month);
        f.monthFirstDraw = f.monthLastDraw = 99;
        f.NenGetuS();
        EXPECT_EQ(f.monthFirstDraw, c.first);
        EXPECT_EQ(f.monthLastDraw, c.last);
    }
}

TEST(NenGetuS, DecemberOfTheLatestYearRunsToTheLatestDraw) {
    testing_support::Workspace ws;
    auto& f = *ws.form;
    auto draws = monthHistory();
    draws.resize(5029); // the history ends with 2019/12/20
    testing_support::fillHistoryGrid(f, draws);
    f.Combo3[0].text = QStringLiteral("2019");
    f.Combo3[1].text = QStringLiteral("12");
    f.NenGetuS();
    EXPECT_EQ(f.monthFirstDraw, 5010);
    EXPECT_EQ(f.monthLastDraw, 5029);
}

} // namespace
