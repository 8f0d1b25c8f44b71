// The draw chooser and the month chooser of the main window.
#include "MainForm.h"

namespace mainwindow {

void MainForm::LabCom1_Click() {
    Combo1.visible = true;
}

void MainForm::Combo1_Click() {
    LabCom1.caption = Combo1.text;
    Combo1.visible = false;
    frmYosoClear();
    for (auto* label : {&Label2, &Label8, &LabDays, &LabKai})
        label->caption.clear();
}

bool MainForm::hasPrediction() const {
    return !LabKai.caption.isEmpty() &&
           (!GrdSS.text(1, ListCol::Number).isEmpty() || !GrdWW.text(1, ListCol::Number).isEmpty());
}

QString MainForm::noPredictionMessage() {
    return QStringLiteral("予想の「スタート」を押してから転送してください。");
}

void MainForm::Combo1_LostFocus() {
    Combo1.visible = false;
}

void MainForm::LabKnen_Click() {
    Frame7.visible = true;
}

void MainForm::ComDate_Click(int index) {
    const QString& caption = ComDate[index].caption;
    LabKnen.caption = caption.left(4);
    LabKmon.caption = caption.right(2);
    Frame7.visible = false;
}

} // namespace mainwindow
