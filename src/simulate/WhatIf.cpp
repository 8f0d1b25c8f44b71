// The purchase what-ifs: what buying one way on every draw of the last tally would have cost
// (TallyCol::WhatIfCost) and won (TallyCol::WhatIfPayout). The five buttons share one
// procedure and differ only in their rule.
#include "Actions.h"
#include "TallyRecord.h"
#include "mainwindow/MainForm.h"
#include "ui/Numeric.h"
#include "ui/Palette.h"

#include <optional>

namespace mainwindow {

namespace {

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
    return static_cast<int>(count(f, row, TallyCol::Number));
}

// Buying one type only: its narrowed list, on the draws predicted as that type; a win is
// that type's hit mark in the narrowed column.
template <const QString& type, int list> Bought boughtIfPredicted(const MainForm& f, int k) {
    return at(f, k, TallyCol::WsPrediction) == type ? Bought(count(f, k, list)) : std::nullopt;
}

template <const QString& type, const QString& hitMark>
bool winsIfPredicted(const MainForm& f, int k) {
    return at(f, k, TallyCol::WsPrediction) == type && at(f, k, TallyCol::NarrowMark) == hitMark;
}

const WhatIfRule kRules[] = {
    // all by W・S: the narrowed list of the predicted type; "-" or nothing counts as W.
    {&MainForm::Command6,
     [](const MainForm& f, int k) -> Bought {
         return count(
             f, k, at(f, k, TallyCol::WsPrediction) == kS ? TallyCol::NarrowS : TallyCol::NarrowW);
     },
     [](const MainForm& f, int k) {
         return !at(f, k, TallyCol::WsMark).isEmpty() &&
                !at(f, k, TallyCol::NarrowMark).isEmpty() &&
                at(f, k, TallyCol::WsMark) == at(f, k, TallyCol::NarrowMark);
     }},
    // W only, S only
    {&MainForm::Command7, boughtIfPredicted<kW, TallyCol::NarrowW>, winsIfPredicted<kW, kHitMarkW>},
    {&MainForm::Command8, boughtIfPredicted<kS, TallyCol::NarrowS>, winsIfPredicted<kS, kHitMarkS>},
    // perfect W・S: the basic list of the type the draw really had.
    {&MainForm::Command11,
     [](const MainForm& f, int k) -> Bought {
         return count(f, k,
                      f.Grd2.text(drawOf(f, k), Grd2Col::Type) == kS ? TallyCol::BasicS
                                                                     : TallyCol::BasicW);
     },
     [](const MainForm& f, int k) {
         return at(f, k, TallyCol::BasicMark) == kHitMarkW ||
                at(f, k, TallyCol::BasicMark) == kHitMarkS;
     }},
    // narrowed only: both narrowed lists.
    {&MainForm::Command15,
     [](const MainForm& f, int k) -> Bought {
         return count(f, k, TallyCol::NarrowS) + count(f, k, TallyCol::NarrowW);
     },
     [](const MainForm& f, int k) { return !at(f, k, TallyCol::NarrowMark).isEmpty(); }},
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
        sm.setText(k, TallyCol::WhatIfPayout, QString());
        sm.setText(k, TallyCol::WhatIfCost, QString());
    }

    long long totalCost = 0;
    long long totalPayout = 0;
    int winningDraws = 0;
    for (int k = 1; k <= n; ++k) {
        if (const Bought candidates = rule.bought(f, k)) {
            const long long cost = *candidates * simulate::kBoxPriceYen;
            sm.setText(k, TallyCol::WhatIfCost, QString::number(cost));
            totalCost += cost;
        }
        if (rule.wins(f, k)) {
            sm.setText(k, TallyCol::WhatIfPayout, f.Grd2.text(drawOf(f, k), Grd2Col::BoxPayout));
            totalPayout += count(f, k, TallyCol::WhatIfPayout);
            ++winningDraws;
        }
    }

    sm.setText(n + 2, TallyCol::WhatIfCost, ui::groupThousands(totalCost));
    sm.setText(n + 2, TallyCol::WhatIfPayout, ui::groupThousands(totalPayout));
    // Before any tally there is no draw to rate.
    if (n > 0)
        sm.setText(n + 1, TallyCol::WhatIfPayout,
                   QStringLiteral("勝率:%1%").arg(ui::percentFloor(winningDraws, n)));
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

namespace simulate {

namespace {

long long groupedYen(const mainwindow::MainForm& f, int col) {
    return ui::leadingInt(QString(f.GrdSM.text(f.simRows + 2, col)).remove(u','));
}

} // namespace

std::optional<ShownWhatIf> shownWhatIf(const mainwindow::MainForm& f) {
    if (f.simRows <= 0 || f.GrdSM.rows() < f.simRows + 3)
        return std::nullopt;
    for (const FormAction& w : whatIfs())
        if ((f.*w.button).backColor == ui::kShownWhatIfColour)
            return ShownWhatIf{&w,
                               {groupedYen(f, mainwindow::TallyCol::WhatIfCost),
                                groupedYen(f, mainwindow::TallyCol::WhatIfPayout)}};
    return std::nullopt;
}

std::optional<MoneyFigures> tallyMoney(const mainwindow::MainForm& f) {
    if (f.tallyDraws.empty())
        return std::nullopt;
    const TallyTotals t = tallyTotals(f.tallyDraws);
    return MoneyFigures{t.costYen, t.payoutYen};
}

} // namespace simulate
