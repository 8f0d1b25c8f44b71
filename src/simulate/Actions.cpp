#include "Actions.h"

#include "mainwindow/MainForm.h"

namespace simulate {

using mainwindow::MainForm;

std::span<const FormAction> narrowings() {
    static const FormAction table[] = {
        {"sw", &MainForm::Command4, &MainForm::Command4_Click, true, nullptr},
        {"cframe", &MainForm::Command12, &MainForm::Command12_Click, true, &MainForm::Check3},
        {"axis", &MainForm::Command13, &MainForm::Command13_Click, true, &MainForm::Check4},
        {"axis2", &MainForm::Command14, &MainForm::Command14_Click, true, &MainForm::Check5},
        {"more", &MainForm::Command10, &MainForm::Command10_Click},
        {"test", &MainForm::Command9, &MainForm::Command9_Click},
    };
    return table;
}

std::span<const FormAction> whatIfs() {
    static const FormAction table[] = {
        {"all", &MainForm::Command6, &MainForm::Command6_Click},
        {"w", &MainForm::Command7, &MainForm::Command7_Click},
        {"s", &MainForm::Command8, &MainForm::Command8_Click},
        {"perfect", &MainForm::Command11, &MainForm::Command11_Click},
        {"narrowed", &MainForm::Command15, &MainForm::Command15_Click},
    };
    return table;
}

const FormAction& chosenNarrowing(const MainForm& form) {
    for (const FormAction& n : narrowings())
        if (n.inTally && n.tallySwitch && (form.*n.tallySwitch).value == 1)
            return n;
    return narrowings().front();
}

QString actionTitle(const MainForm& form, const FormAction& action) {
    return (form.*action.button).caption.section(u'　', 0, 0);
}

void chooseNarrowing(MainForm& form, const FormAction& narrowing) {
    for (const FormAction& n : narrowings())
        if (n.tallySwitch)
            (form.*n.tallySwitch).value = &n == &narrowing ? 1 : 0;
}

} // namespace simulate
