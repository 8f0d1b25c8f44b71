// The purchase what-ifs: what buying one way on every draw of the last tally would have cost
// (GrdSM column 17) and won (column 16). The five buttons share one procedure and differ
// only in their rule.
#include "mainwindow/MainForm.h"
#include "ui/Numeric.h"
#include "ui/Palette.h"

#include <optional>

namespace mainwindow {

namespace {

constexpr long long kTicketYen = 200;

const QString kHitS = QStringLiteral("〇");
const QString kHitW = QStringLiteral("●");
const QString kS = QStringLiteral("S");
const QString kW = QStringLiteral("W");

// How many candidates a rule buys on a tally row; no value when it buys nothing there.
using Bought = std::optional<long long>;

struct WhatIfRule {
    ui::Button MainForm::*button;
    Bought (*bought)(const MainForm& f, int row);
    bool (*wins)(const MainForm& f, int row);
};

const QString& at(const MainForm& f, int row, int col) {
    return f.GrdSM.text(row, col);
}

long long count(const MainForm& f, int row, int col) {
    return ui::leadingInt(at(f, row, col));
}

int drawOf(const MainForm& f, int row) {
    return static_cast<int>(count(f, row, 0));
}

// Columns of a tally row: 3/4 basic S/W counts, 5 basic mark, 8/9 narrowed S/W counts,
// 10 narrowed mark, 13 W・S prediction, 14 W・S mark.
const WhatIfRule kRules[] = {
    // all by W・S: the narrowed list of the predicted type; "-" or nothing counts as W.
    {&MainForm::Command6,
     [](const MainForm& f, int k) -> Bought { return count(f, k, at(f, k, 13) == kS ? 8 : 9); },
     [](const MainForm& f, int k) {
         return !at(f, k, 14).isEmpty() && !at(f, k, 10).isEmpty() && at(f, k, 14) == at(f, k, 10);
     }},
    // W only
    {&MainForm::Command7,
     [](const MainForm& f, int k) -> Bought {
         return at(f, k, 13) == kW ? Bought(count(f, k, 9)) : std::nullopt;
     },
     [](const MainForm& f, int k) { return at(f, k, 13) == kW && at(f, k, 10) == kHitW; }},
    // S only
    {&MainForm::Command8,
     [](const MainForm& f, int k) -> Bought {
         return at(f, k, 13) == kS ? Bought(count(f, k, 8)) : std::nullopt;
     },
     [](const MainForm& f, int k) { return at(f, k, 13) == kS && at(f, k, 10) == kHitS; }},
    // perfect W・S: the basic list of the type the draw really had.
    {&MainForm::Command11,
     [](const MainForm& f, int k) -> Bought {
         return count(f, k, f.Grd2.text(drawOf(f, k), 2) == kS ? 3 : 4);
     },
     [](const MainForm& f, int k) { return at(f, k, 5) == kHitW || at(f, k, 5) == kHitS; }},
    // narrowed only: both narrowed lists.
    {&MainForm::Command15,
     [](const MainForm& f, int k) -> Bought { return count(f, k, 8) + count(f, k, 9); },
     [](const MainForm& f, int k) { return !at(f, k, 10).isEmpty(); }},
};

void applyWhatIf(MainForm& f, const WhatIfRule& rule) {
    for (const auto& other : kRules)
        (f.*other.button).backColor = ui::kWhite;
    (f.*rule.button).backColor = ui::kShownWhatIfColour;

    ui::Grid& sm = f.GrdSM;
    const int n = f.simRows;
    if (sm.rows() < n + 3)
        sm.setRows(n + 3);
    for (int k = 1; k <= n + 1; ++k) {
        sm.setText(k, 16, QString());
        sm.setText(k, 17, QString());
    }

    long long totalCost = 0;
    long long totalPayout = 0;
    int winningDraws = 0;
    for (int k = 1; k <= n; ++k) {
        if (const Bought candidates = rule.bought(f, k)) {
            const long long cost = *candidates * kTicketYen;
            sm.setText(k, 17, QString::number(cost));
            totalCost += cost;
        }
        if (rule.wins(f, k)) {
            sm.setText(k, 16, f.Grd2.text(drawOf(f, k), 7));
            totalPayout += count(f, k, 16);
            ++winningDraws;
        }
    }

    sm.setText(n + 2, 17, ui::groupThousands(totalCost));
    sm.setText(n + 2, 16, ui::groupThousands(totalPayout));
    // Before any tally there is no draw to rate.
    if (n > 0)
        sm.setText(n + 1, 16, QStringLiteral("勝率:%1%").arg(ui::percentFloor(winningDraws, n)));
}

} // namespace

void MainForm::Command6_Click() {
    applyWhatIf(*this, kRules[0]);
}
void MainForm::Command7_Click() {
    applyWhatIf(*this, kRules[1]);
}
void MainForm::Command8_Click() {
    applyWhatIf(*this, kRules[2]);
}
void MainForm::Command11_Click() {
    applyWhatIf(*this, kRules[3]);
}
void MainForm::Command15_Click() {
    applyWhatIf(*this, kRules[4]);
}

} // namespace mainwindow
