#pragma once

#include "TallyRecord.h"
#include "ui/Controls.h"

#include <optional>

#include <span>

namespace mainwindow {
class MainForm;
}

namespace simulate {

// A button of the main window that runs a narrowing or a what-if: the word the command
// line names it by, the button (its caption) and its handler. The window and the command
// line both take them from here.
struct FormAction {
    const char* key;
    ui::Button mainwindow::MainForm::*button;
    void (mainwindow::MainForm::*handler)();
    // Narrowings: whether シュミ集計 can replay it, and the check box that chooses it there
    // (none for ③S・W絞り, the one replayed when no box is ticked).
    bool inTally = false;
    ui::CheckBox mainwindow::MainForm::*tallySwitch = nullptr;
};

// The ③ narrowings: ③S・W絞り first, then the other narrowings in the order of their buttons.
std::span<const FormAction> narrowings();
// The purchase what-ifs over the last tally, in the order of their buttons.
std::span<const FormAction> whatIfs();

// The narrowing the prediction start and シュミ集計 run: the first of narrowings() the tally
// can replay whose switch is ticked, else ③S・W絞り.
const FormAction& chosenNarrowing(const mainwindow::MainForm& form);
// Ticks the switch of the narrowing and clears the others (none ticked chooses ③S・W絞り).
void chooseNarrowing(mainwindow::MainForm& form, const FormAction& narrowing);
// The action as its button names it, without the note some captions carry after an
// ideographic space ("③軸数字絞り２").
QString actionTitle(const mainwindow::MainForm& form, const FormAction& action);
// The what-if shown over the last tally (the highlighted button) and what its purchase cost
// and won; none before a what-if was chosen for this tally.
struct ShownWhatIf {
    const FormAction* action = nullptr;
    MoneyFigures money;
};
std::optional<ShownWhatIf> shownWhatIf(const mainwindow::MainForm& f);

// The bought narrowed lists of the last tally; none before a tally.
std::optional<MoneyFigures> tallyMoney(const mainwindow::MainForm& f);

} // namespace simulate
