#include "support/HistoryGrid.h"
#include "support/TestHistory.h"

#include "simulate/Actions.h"
#include "ui/Numeric.h"

#include <gtest/gtest.h>

using mainwindow::TallyCol;

namespace {

using F = mainwindow::MainForm;

// A tally of draws 101 to 105 written by hand: each draw's number and payout in Grd2, and the
// tally columns a simulation would have written. Columns 16 and 17 hold stale text.
class WhatIf : public ::testing::Test {
protected:
    WhatIf() : f(*ws.form) {
        // number, payout, then GrdSM cols 0 draw, 3/4 basic S/W counts, 5 basic mark, 8/9
        // narrowed counts, 10 narrowed mark, 13 W・S prediction, 14 W・S mark
        const char* rows[][11] = {
            {"1234", "37500", "101", "50", "80", "〇", "12", "30", "〇", "S", "〇"},
            {"1123", "9000", "102", "40", "70", "●", "10", "20", "", "S", ""},
            {"4456", "12000", "103", "30", "60", "●", "5", "7", "●", "W", "●"},
            {"5678", "5000", "104", "20", "50", "", "8", "6", "", "-", ""},
            {"1357", "7000", "105", "10", "40", "〇", "4", "3", "〇", "W", "●"},
        };
        const int cols[] = {0, 3, 4, 5, 8, 9, 10, 13, 14};
        std::vector<testing_support::GridDraw> draws(105, {QStringLiteral("0012")});
        f.GrdSM.setRows(8);
        for (int k = 1; k <= 5; ++k) {
            draws[99 + k] = {rows[k - 1][0], {}, rows[k - 1][1]};
            for (int i = 0; i < 9; ++i)
                f.GrdSM.setText(k, cols[i], QString::fromUtf8(rows[k - 1][i + 2]));
        }
        testing_support::fillHistoryGrid(f, draws);
        for (int k = 1; k <= 7; ++k) {
            f.GrdSM.setText(k, TallyCol::WhatIfPayout, QStringLiteral("old"));
            f.GrdSM.setText(k, TallyCol::WhatIfCost, QStringLiteral("old"));
        }
        f.simRows = 5;
    }

    QStringList column(int col) const {
        QStringList cells;
        for (int k = 1; k <= 7; ++k)
            cells.append(f.GrdSM.text(k, col));
        return cells;
    }

    testing_support::Workspace ws;
    F& f;
};

TEST_F(WhatIf, EachRuleBuysAndWinsAsItSays) {
    const struct {
        const char* name;
        void (F::*handler)();
        ui::Button F::*button;
        const char* wantCost;   // col 17, rows 1 to 7
        const char* wantPayout; // col 16, rows 1 to 7
    } cases[] = {
        // "-" counts as W; row 5 has 〇 against ● and does not win.
        {"all by W・S", &F::Command6_Click, &F::Command6, "2400|2000|1400|1200|600||7,600",
         "37500||12000|||勝率:40%|49,500"},
        // "-" buys nothing.
        {"W only", &F::Command7_Click, &F::Command7, "||1400||600||2,000",
         "||12000|||勝率:20%|12,000"},
        {"S only", &F::Command8_Click, &F::Command8, "2400|2000|||||4,400",
         "37500|||||勝率:20%|37,500"},
        // The draw's real type picks the basic list.
        {"perfect W・S", &F::Command11_Click, &F::Command11, "10000|14000|12000|4000|2000||42,000",
         "37500|9000|12000||7000|勝率:80%|65,500"},
        // Both narrowed lists: 12 + 30 candidates cost 8400.
        {"narrowed only", &F::Command15_Click, &F::Command15, "8400|6000|2400|2800|1400||21,000",
         "37500||12000||7000|勝率:60%|56,500"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        (f.*c.handler)();
        EXPECT_EQ(column(17).join(u'|'), QString::fromUtf8(c.wantCost));
        EXPECT_EQ(column(16).join(u'|'), QString::fromUtf8(c.wantPayout));
        for (const auto& other : cases)
            EXPECT_EQ((f.*other.button).backColor, &other == &c ? 13 : 15) << other.name;
        // The shown what-if's purchase, read back from the totals row.
        const auto shown = simulate::shownWhatIf(f);
        ASSERT_TRUE(shown.has_value());
        EXPECT_EQ(shown->action->button, c.button);
        EXPECT_EQ(ui::groupThousands(shown->money.costYen), column(17).last());
        EXPECT_EQ(ui::groupThousands(shown->money.payoutYen), column(16).last());
    }
}

TEST_F(WhatIf, WithoutATallyThereIsNoWinRate) {
    f.simRows = 0;
    f.Command15_Click();
    EXPECT_EQ(column(16).mid(0, 3), QStringList({"", "0", "old"}));
    EXPECT_EQ(column(17).mid(0, 2), QStringList({"", "0"}));
}

} // namespace
