#include "support/HistoryGrid.h"
#include "support/TestHistory.h"

#include <gtest/gtest.h>

namespace {

// 500 draws of the double 0012, with singles placed where the cases need them.
std::vector<testing_support::GridDraw> back100History() {
    std::vector<testing_support::GridDraw> draws(500, {QStringLiteral("0012"), {}, {}, {}, {}});
    const std::pair<int, const char*> singles[] = {
        {1, "1234"},   {5, "4321"},                  // same box 4 draws apart: 3 between
        {6, "5678"},   {7, "8765"},                  // neighbours: 0 between
        {98, "8642"},  {400, "2468"},                // 302 draws back: beyond the look-back
        {149, "7531"}, {450, "1357"},                // 301 draws back: still found
        {460, "9876"},                               // no earlier draw of its box
        {470, "1123"},                               // a double, never looked up
        {480, "3456"}, {481, "3465"}, {482, "6543"}, // the latest earlier match counts
    };
    for (const auto& [draw, number] : singles)
        draws[draw - 1].number = QString::fromUtf8(number);
    return draws;
}

TEST(Back100, GapColumnCountsTheDrawsBetween) {
    struct Case {
        int selected; // Combo1
        int draw;     // the listed draw looked at
        const char* wantEarlier;
        const char* wantGap;
    };
    const Case cases[] = {
        {501, 450, "149", "300"},
        {401, 400, "stale", "stale"},
        {501, 460, "stale", "stale"},
        {501, 470, "stale", "stale"},
        {501, 482, "481", "0"},
        {501, 481, "480", "0"},
        {501, 480, "stale", "stale"},
        {50, 5, "1", "3"},
        {50, 7, "6", "0"},
        {50, 1, "stale", "stale"},
    };
    testing_support::Workspace ws;
    auto& f = *ws.form;
    testing_support::fillHistoryGrid(f, back100History());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.draw);
        for (int r = 1; r <= 100; ++r) {
            f.GrdR.setText(r, 2, QStringLiteral("stale"));
            f.GrdR.setText(r, 3, QStringLiteral("stale"));
        }
        f.Combo1.text = QString::number(c.selected);
        f.Command5_Click();
        // Rows start at the first listed draw, which is never below draw 1.
        const int row = c.draw - std::max(1, c.selected - 100) + 1;
        EXPECT_EQ(f.GrdR.text(row, 0), QString::number(c.draw));
        EXPECT_EQ(f.GrdR.text(row, 1), f.Grd2.text(c.draw, 1));
        EXPECT_EQ(f.GrdR.text(row, 2), QString::fromUtf8(c.wantEarlier));
        EXPECT_EQ(f.GrdR.text(row, 3), QString::fromUtf8(c.wantGap));
    }
}

TEST(Back100, ListsTheHundredDrawsBeforeTheSelectedOne) {
    testing_support::Workspace ws;
    auto& f = *ws.form;
    testing_support::fillHistoryGrid(f, back100History());
    f.Combo1.text = QStringLiteral("300");
    f.Command5_Click();
    EXPECT_EQ(f.GrdR.text(1, 0), QStringLiteral("200"));
    EXPECT_EQ(f.GrdR.text(100, 0), QStringLiteral("299"));
    EXPECT_EQ(f.GrdR.text(101, 0), QString());
}

TEST(Back100, DoubleClickOnTheLabelShowsAndHidesGridAndButton) {
    testing_support::Workspace ws;
    auto& f = *ws.form;
    EXPECT_FALSE(f.GrdR.visible());
    EXPECT_FALSE(f.Command5.visible);
    f.Label3_DblClick();
    EXPECT_TRUE(f.GrdR.visible());
    EXPECT_TRUE(f.Command5.visible);
    f.Label3_DblClick();
    EXPECT_FALSE(f.GrdR.visible());
    EXPECT_FALSE(f.Command5.visible);
}

} // namespace
