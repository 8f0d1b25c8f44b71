// The two narrowing sizes kept in seteifile.dat: "TT" saves them, Shift + right press on
// "JJ" brings them back.
#include "MainForm.h"

#include "history/SettingsFile.h"

namespace mainwindow {

void MainForm::Label9_Click() {
    history::writeSettingsFile(SetteiPath, Combo4[0].text, Combo4[1].text);
}

void MainForm::Label10_MouseDown(int button, int shift) {
    if (!ui::isShiftRightPress(button, shift))
        return;
    const history::SettingsFields read = history::readSettingsFile(SetteiPath);
    if (!read.error.isEmpty()) {
        host.messageBox(read.error, QString());
        return;
    }
    Combo4[0].text = read.singles;
    Combo4[1].text = read.doubles;
}

} // namespace mainwindow
