// The prediction and verification areas: strength labels and switches, the two starts, the
// pressed look of the label buttons, and the panel switches of the window.
#include "MainForm.h"

#include "simulate/Actions.h"
#include "ui/Numeric.h"

namespace mainwindow {

namespace {

constexpr int kNone = 3; // strength "無し"
constexpr int kOn = 1;   // switch "ON"

int nextLevel(int level) {
    return (level + 3) % 4; // 0 -> 3 -> 2 -> 1 -> 0
}

// Stops a start's timer and hides its notice however the start ends, a file error included.
class StartGuard {
public:
    StartGuard(bool& running, ui::Timer& timer, ui::Label& notice)
        : running_(running), timer_(timer), notice_(notice) {
        running_ = true;
    }
    ~StartGuard() {
        timer_.setEnabled(false);
        notice_.visible = false;
        running_ = false;
    }
    StartGuard(const StartGuard&) = delete;
    StartGuard& operator=(const StartGuard&) = delete;

private:
    bool& running_;
    ui::Timer& timer_;
    ui::Label& notice_;
};

} // namespace

void MainForm::showOptionCaptions() {
    const auto& t = module.tables;
    LabYSS.caption = t.StrengthNames[YosoSSLevel];
    LabYDS.caption = t.StrengthNames[YosoDSLevel];
    LabKSS.caption = t.StrengthNames[KensyoSSLevel];
    LabKDS.caption = t.StrengthNames[KensyoDSLevel];
    LabYOP.caption = t.OnOffNames[YosoOpt];
    LabKOP.caption = t.OnOffNames[KensyoOpt];
}

namespace {

void cycle(int& level, int& other, int& opt) {
    level = nextLevel(level);
    if (level == kNone) {
        other = kNone;
        opt = kOn;
    }
}

} // namespace

void MainForm::LabYSS_Click() {
    Combo1.visible = false;
    cycle(YosoSSLevel, YosoDSLevel, YosoOpt);
    showOptionCaptions();
}

void MainForm::LabYDS_Click() {
    Combo1.visible = false;
    cycle(YosoDSLevel, YosoSSLevel, YosoOpt);
    showOptionCaptions();
}

void MainForm::LabKSS_Click() {
    cycle(KensyoSSLevel, KensyoDSLevel, KensyoOpt);
    showOptionCaptions();
}

void MainForm::LabKDS_Click() {
    cycle(KensyoDSLevel, KensyoSSLevel, KensyoOpt);
    showOptionCaptions();
}

void MainForm::LabYOP_Click() {
    Combo1.visible = false;
    YosoOpt = YosoSSLevel == kNone && YosoDSLevel == kNone ? kOn : 1 - YosoOpt;
    showOptionCaptions();
}

void MainForm::LabKOP_Click() {
    KensyoOpt = 1 - KensyoOpt;
    showOptionCaptions();
}

std::optional<MainForm::NarrowingChecks> MainForm::startChecks(int opt, int singleLevel,
                                                               int doubleLevel) {
    const bool on = opt == kOn;
    const bool singleNone = singleLevel == kNone;
    const bool doubleNone = doubleLevel == kNone;
    // "Off" needs both narrowings; "ON" needs both or neither.
    if (on ? singleNone != doubleNone : singleNone || doubleNone)
        return std::nullopt;
    // "ON" runs ③軸数字絞り without narrowings and ③軸数字絞り２ with them.
    return NarrowingChecks{on && singleNone ? 1 : 0, on && !singleNone ? 1 : 0};
}

QString MainForm::refusedStartMessage() {
    return QStringLiteral("この組み合わせでは予想できません。");
}

bool MainForm::optionsAccepted(int opt, int singleLevel, int doubleLevel) {
    if (startChecks(opt, singleLevel, doubleLevel))
        return true;
    host.messageBox(refusedStartMessage(), QStringLiteral("設定違い"));
    return false;
}

void MainForm::setStartSizesAndChecks(int opt, int singleLevel, int doubleLevel) {
    const auto checks = startChecks(opt, singleLevel, doubleLevel).value_or(NarrowingChecks{});
    const auto& values = module.tables.StrengthValues;
    Combo4[0].text = QString::number(values[singleLevel]);
    Combo4[1].text = QString::number(values[doubleLevel]);
    Check4.value = checks.check4;
    Check5.value = checks.check5;
}

void MainForm::runChosenNarrowing() {
    (this->*simulate::chosenNarrowing(*this).handler)();
}

void MainForm::LabStart_Click() {
    if (startRunning_ || !optionsAccepted(YosoOpt, YosoSSLevel, YosoDSLevel))
        return;
    StartGuard guard(startRunning_, Timer1, LabSine[0]);
    Combo1.text = LabCom1.caption;
    Combo1.visible = false;
    Label2.caption.clear();
    Label8.caption.clear();
    winKeyS.clear();
    winKeyW.clear();
    frmYosoClear();
    Frame3.visible = true;
    setStartSizesAndChecks(YosoOpt, YosoSSLevel, YosoDSLevel);
    waitTicks(Timer1, &MainForm::TimeGo);
    Command1_Click();
    Command2_Click();
    runChosenNarrowing();
}

void MainForm::LabKensyo_Click() {
    if (startRunning_ || !optionsAccepted(KensyoOpt, KensyoSSLevel, KensyoDSLevel))
        return;
    // The area verifies the month of its chooser: the month list takes it in its own form
    // (no leading zero), and the tally runs over that month. A count of draws stays the
    // tally button's own choice.
    Combo3[0].text = LabKnen.caption;
    Combo3[1].text = QString::number(ui::leadingInt(LabKmon.caption));
    Option1.selected = 1;
    // A month without draws is told at once, not after the wait, and keeps the last tally.
    NenGetuS();
    if (monthFirstDraw == 0) {
        host.messageBox(QStringLiteral("抽選結果のデータがありません。"),
                        QStringLiteral("Tessarin"));
        return;
    }
    StartGuard guard(startRunning_, Timer2, LabSine[1]);
    GrdSMClear();
    Frame3.visible = false;
    setStartSizesAndChecks(KensyoOpt, KensyoSSLevel, KensyoDSLevel);
    waitTicks(Timer2, &MainForm::TimeGo2);
    Command3_Click();
}

int MainForm::shapeOf(const ui::Label& label) const {
    const ui::Label* const owners[] = {&LabCom1, &LabYSS, &LabYDS,    &LabStart, &LabKnen, &LabKmon,
                                       &LabKSS,  &LabKOP, &LabKensyo, &LabYOP,   &LabKDS};
    for (int i = 0; i < 11; ++i)
        if (owners[i] == &label)
            return i;
    return -1;
}

void MainForm::LabelButton_MouseDown(int shape) {
    if (shape < 0 || shape >= static_cast<int>(Shape1.size()))
        return;
    Shape1[shape].setFill(0, 0, 0);
    // The year and the month of the verification chooser press together.
    if (shape == 4 || shape == 5)
        Shape1[shape == 4 ? 5 : 4].setFill(0, 0, 0);
}

void MainForm::LabelButton_MouseUp(int shape) {
    if (shape < 0 || shape >= static_cast<int>(Shape1.size()))
        return;
    const int grey = shape == 1 ? 35 : 37;
    Shape1[shape].setFill(grey, grey, grey);
    if (shape == 4 || shape == 5)
        Shape1[shape == 4 ? 5 : 4].setFill(37, 37, 37);
}

void MainForm::Label14_Click(int index) {
    if (index == 0)
        Frame3.visible = true;
    else if (index == 1)
        Frame3.visible = false;
}

void MainForm::Label4_MouseDown(int button, int shift) {
    if (ui::isShiftRightPress(button, shift))
        Grd2.setVisible(!Grd2.visible());
}

void MainForm::LabKai_MouseDown(int button, int shift) {
    if (ui::isShiftRightPress(button, shift))
        Image3.visible = !Image3.visible;
}

void MainForm::Label5_MouseDown(int index, int button, int shift) {
    Q_UNUSED(index);
    if (ui::isShiftRightPress(button, shift))
        Image4.visible = !Image4.visible;
}

void MainForm::Picture1_MouseDown(int button, int shift) {
    if (!ui::isShiftRightPress(button, shift))
        return;
    const bool show = !Frame3.visible;
    Frame3.visible = show;
    Frame4.visible = show;
}

void MainForm::Picture3_MouseDown(int button, int shift) {
    if (!ui::isShiftRightPress(button, shift))
        return;
    const bool show = !PicCame[0].visible;
    for (auto& p : PicCame)
        p.visible = show;
}

void MainForm::Label13_MouseDown(int button, int shift) {
    if (ui::isShiftRightPress(button, shift))
        WindowState = WindowState != 0 ? 0 : 2;
}

void MainForm::Picture2_Click() {
    files.CloseAll();
    if (endProgram)
        endProgram();
}

void MainForm::Image2_Click(int index) {
    if (index == 0)
        Frame2.topTwips = Frame2.topTwips != 0 ? 0 : 1320;
}

} // namespace mainwindow
