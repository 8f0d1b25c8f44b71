#include "support/HistoryGrid.h"
#include "support/TestHistory.h"

#include <gtest/gtest.h>

namespace {

// Draws 1-40 in 2019/09, 41-4989 in 2019/10, 4990-5009 in 2019/11, 5010-5029 in 2019/12,
// 5030-5049 in 2020/01 and 5050-5060 in 2020/02. The history ends at the given draw.
std::vector<testing_support::GridDraw> monthHistory(int last) {
    std::vector<testing_support::GridDraw> draws(40, {"1234", "2019/09/15"});
    draws.resize(4989, {"1234", "2019/10/15"});
    const struct {
        int from, to;
        const char* ym;
    } months[] = {{4990, 5009, "2019/11"},
                  {5010, 5029, "2019/12"},
                  {5030, 5049, "2020/01"},
                  {5050, 5060, "2020/02"}};
    for (const auto& m : months)
        for (int r = m.from; r <= std::min(m.to, last); ++r)
            draws.push_back({"1234", QStringLiteral("%1/%2").arg(m.ym).arg(r - m.from + 1, 2, 10,
                                                                           QChar(u'0'))});
    return draws;
}

TEST(NenGetuS, FindsTheDrawsOfTheChosenMonth) {
    const struct {
        int historyEnd;
        const char *year, *month;
        int first, last;
    } cases[] = {
        {5060, "2019", "12", 5010, 5029}, // December ends where January begins
        {5029, "2019", "12", 5010, 5029}, // December as the latest month
        {5060, "2020", "2", 5050, 5060},  // the latest month runs to the latest draw
        {5060, "2019", "11", 4990, 5009}, // a month before draw 5000
        {5060, "2019", "10", 51, 4989},   // from the first draw that can be predicted
        {5060, "2019", "9", 0, 0},        // every draw before draw 51
        {5060, "2020", "3", 0, 0},        // no draw yet
        {5060, "", "12", 0, 0},
    };
    testing_support::Workspace ws;
    auto& f = *ws.form;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.year) + "/" + c.month);
        testing_support::fillHistoryGrid(f, monthHistory(c.historyEnd));
        f.Combo3[0].text = QString::fromUtf8(c.year);
        f.Combo3[1].text = QString::fromUtf8(c.month);
        f.monthFirstDraw = f.monthLastDraw = 99;
        f.NenGetuS();
        EXPECT_EQ(f.monthFirstDraw, c.first);
        EXPECT_EQ(f.monthLastDraw, c.last);
    }
}

} // namespace
