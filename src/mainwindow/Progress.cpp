// The blinking "集計中！" and the tick count shown while a start waits before its work.
#include "MainForm.h"

namespace mainwindow {

namespace {

void switchTimer(ui::Timer& timer, ui::Label& notice, ui::Label& count, int ticks) {
    if (timer.enabled) {
        timer.setEnabled(false);
        notice.visible = false;
    } else {
        count.caption = QString::number(ticks);
        timer.setEnabled(true);
    }
}

} // namespace

void MainForm::TimeGo() {
    switchTimer(Timer1, LabSine[0], LabTimer, TimerCount);
}

void MainForm::TimeGo2() {
    switchTimer(Timer2, LabSine[1], LabTimer, TimerCount);
}

void MainForm::Timer1_Timer() {
    LabSine[0].visible = !LabSine[0].visible;
    LabTimer.caption = QString::number(++TimerCount);
}

void MainForm::Timer2_Timer() {
    LabSine[1].visible = !LabSine[1].visible;
    LabTimer.caption = QString::number(++TimerCount);
}

void MainForm::waitTicks(ui::Timer& timer, void (MainForm::*timeGo)()) {
    TimerCount = 0;
    timer.setEnabled(false); // TimeGo switches: make sure it starts the timer
    (this->*timeGo)();
    // A host without a clock would never end the wait; the work then runs at once.
    if (!host.drivesTimers())
        return;
    while (TimerCount < WaitTicks && timer.enabled)
        host.waitForEvents();
}

} // namespace mainwindow
