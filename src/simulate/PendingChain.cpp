// TEMPORARY stand-ins for the prediction chain, which is being built on its own branch.
// They leave every list empty, so a tally books no candidates and no hits. This file goes
// away when the real procedures are merged.
#include "mainwindow/MainForm.h"

namespace mainwindow {

void MainForm::Yoso() {}
void MainForm::Jyuni() {}
void MainForm::NewVerSort() {}

void MainForm::Command2_Click() {
    basicCountS = 0;
    basicCountW = 0;
}

namespace {

void emptyNarrowing(MainForm& f) {
    f.narrowCountS = 0;
    f.narrowCountW = 0;
}

} // namespace

void MainForm::Command4_Click() {
    emptyNarrowing(*this);
}
void MainForm::Command12_Click() {
    emptyNarrowing(*this);
}
void MainForm::Command13_Click() {
    emptyNarrowing(*this);
}
void MainForm::Command14_Click() {
    emptyNarrowing(*this);
}

} // namespace mainwindow
