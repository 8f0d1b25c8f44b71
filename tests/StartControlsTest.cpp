// The prediction and verification areas over the window's logic: option cycling, the option
// check of both starts, the choice of the ③ narrowing, the wait before the work, the pressed
// look and the hidden switches.
#include "cardprint/TransferForm.h"
#include "export/SheetCells.h"
#include "support/TestHistory.h"

#include <gtest/gtest.h>

using mainwindow::MainForm;
using mainwindow::TallyCol;
using testing_support::Workspace;

namespace {

// Levels and switch of one area: (single, double, switch).
using AreaState = std::array<int, 3>;
using AreaFields = std::array<int MainForm::*, 3>;
const AreaFields kPrediction{&MainForm::YosoSSLevel, &MainForm::YosoDSLevel, &MainForm::YosoOpt};
const AreaFields kVerification{&MainForm::KensyoSSLevel, &MainForm::KensyoDSLevel,
                               &MainForm::KensyoOpt};
AreaState get(const MainForm& f, const AreaFields& a) {
    return {f.*a[0], f.*a[1], f.*a[2]};
}
void set(MainForm& f, const AreaFields& a, AreaState v) {
    for (int i = 0; i < 3; ++i)
        f.*a[i] = v[i];
}

class Area : public ::testing::Test {
protected:
    void SetUp() override {
        ws.writeHistoryRecords(testing_support::bundledHistory());
        f = &ws.load();
        f->WaitTicks = 2;
    }
    Workspace ws;
    MainForm* f = nullptr;
};

// One click on an option label, from a state, gives a state; the captions follow.
struct ClickCase {
    void (MainForm::*click)();
    bool predictionArea;
    AreaState before, after;
};

const ClickCase kClicks[] = {
    {&MainForm::LabYSS_Click, true, {0, 1, 0}, {3, 3, 1}},
    {&MainForm::LabYSS_Click, true, {3, 3, 1}, {2, 3, 1}},
    {&MainForm::LabYSS_Click, true, {1, 2, 0}, {0, 2, 0}},
    {&MainForm::LabYDS_Click, true, {2, 0, 0}, {3, 3, 1}},
    {&MainForm::LabYDS_Click, true, {2, 2, 1}, {2, 1, 1}},
    {&MainForm::LabKSS_Click, false, {0, 0, 0}, {3, 3, 1}},
    {&MainForm::LabKDS_Click, false, {1, 1, 0}, {1, 0, 0}},
    {&MainForm::LabYOP_Click, true, {3, 3, 1}, {3, 3, 1}}, // cannot be turned "Off"
    {&MainForm::LabYOP_Click, true, {3, 0, 1}, {3, 0, 0}},
    {&MainForm::LabYOP_Click, true, {1, 1, 0}, {1, 1, 1}},
    {&MainForm::LabKOP_Click, false, {3, 3, 1}, {3, 3, 0}}, // whatever the levels
    {&MainForm::LabKOP_Click, false, {0, 2, 0}, {0, 2, 1}},
};

TEST_F(Area, OptionClicksCycleAndPullTheOtherOptions) {
    for (const auto& c : kClicks) {
        SCOPED_TRACE(::testing::PrintToString(c.before) + " -> " +
                     ::testing::PrintToString(c.after));
        const AreaFields &area = c.predictionArea ? kPrediction : kVerification,
                         &other = c.predictionArea ? kVerification : kPrediction;
        set(*f, other, {2, 2, 0});
        set(*f, area, c.before);
        f->Combo1.visible = true;
        (f->*c.click)();
        EXPECT_EQ(get(*f, area), c.after);
        // The other area is untouched; only the prediction labels hide the draw list.
        EXPECT_EQ(get(*f, other), (AreaState{2, 2, 0}));
        EXPECT_EQ(f->Combo1.visible, !c.predictionArea);
        const auto& t = ws.module.tables;
        const bool y = c.predictionArea;
        EXPECT_EQ((y ? f->LabYSS : f->LabKSS).caption + (y ? f->LabYDS : f->LabKDS).caption +
                      (y ? f->LabYOP : f->LabKOP).caption,
                  t.StrengthNames[c.after[0]] + t.StrengthNames[c.after[1]] +
                      t.OnOffNames[c.after[2]]);
    }
}

// The option check and the ③ narrowing each accepted start chooses (Check4, Check5).
struct StartCase {
    AreaState options;
    bool refused;
    int check4, check5;
};

const StartCase kStarts[] = {
    {{3, 0, 0}, true, 0, 0},  {{0, 3, 0}, true, 0, 0},  {{3, 3, 0}, true, 0, 0},
    {{3, 2, 1}, true, 0, 0},  {{1, 3, 1}, true, 0, 0},  {{0, 2, 0}, false, 0, 0},
    {{3, 3, 1}, false, 1, 0}, {{2, 1, 1}, false, 0, 1},
};

TEST_F(Area, BothStartsCheckTheOptionsAndChooseTheNarrowing) {
    f->ComDate_Click(12 + 6); // a month of the history: 2026/07
    for (bool predictionArea : {true, false}) {
        for (const auto& c : kStarts) {
            SCOPED_TRACE((predictionArea ? "LabStart " : "LabKensyo ") +
                         ::testing::PrintToString(c.options));
            ws.host.messages.clear();
            f->Check4.value = f->Check5.value = 7; // neither 0 nor 1: a start must set them
            f->Combo4[0].text = f->Combo4[1].text = s(u"140");
            f->GrdSM.setText(1, TallyCol::Number, s(u"old"));
            f->LabTimer.caption = s(u"untouched");
            set(*f, predictionArea ? kPrediction : kVerification, c.options);
            predictionArea ? f->LabStart_Click() : f->LabKensyo_Click();
            if (c.refused) {
                ASSERT_EQ(ws.host.messages.size(), 1u);
                EXPECT_EQ(ws.host.messages[0].title + ws.host.messages[0].text,
                          s(u"設定違いこの組み合わせでは予想できません。"));
                EXPECT_EQ(f->Check4.value, 7);
                EXPECT_EQ(f->Combo4[0].text, s(u"140"));
                EXPECT_EQ(f->GrdSM.text(1, TallyCol::Number), s(u"old"));
                EXPECT_EQ(f->LabTimer.caption, s(u"untouched"));
                continue;
            }
            EXPECT_TRUE(ws.host.messages.empty()) << ws.host.messages[0].text.toStdString();
            EXPECT_EQ(std::pair(f->Check4.value, f->Check5.value), std::pair(c.check4, c.check5));
            const auto& values = ws.module.tables.StrengthValues;
            EXPECT_EQ(f->Combo4[0].text, QString::number(values[c.options[0]]));
            EXPECT_EQ(f->Combo4[1].text, QString::number(values[c.options[1]]));
            // The tally lets events through, so its ticks go on counting.
            EXPECT_GE(f->LabTimer.caption.toInt(), 2);
            EXPECT_EQ(f->LabTimer.caption == s(u"2"), predictionArea);
            EXPECT_FALSE(f->Timer1.enabled || f->Timer2.enabled);
            EXPECT_FALSE(f->LabSine[0].visible || f->LabSine[1].visible);
            EXPECT_EQ(f->Frame3.visible, predictionArea);
        }
    }
}

// The work begins only after WaitTicks ticks, with the notice blinking meanwhile. (Which
// narrowing a start runs: LongTallyTest; the count and the notice hidden once it is done:
// StartAreaTest.)
TEST_F(Area, PredictionWaitsItsTicksThenRunsTheChain) {
    f->WaitTicks = 5;
    set(*f, kPrediction, {1, 1, 0});
    QStringList seen;
    ws.host.onProcessEvents = [&] {
        seen.append(f->LabTimer.caption + QChar(f->LabSine[0].visible ? u'+' : u'-') +
                    QChar(f->Label2.caption.isEmpty() ? u'.' : u'!'));
    };
    f->LabStart_Click();
    EXPECT_EQ(seen.mid(0, 5), QStringList({"0-.", "1+.", "2-.", "3+.", "4-."}));
    EXPECT_EQ(f->LabKai.caption, s(u"第7055回"));
    EXPECT_GT(f->narrowCountS, 0);
}

// What the window hands on of its prediction: the lists as the transfer writes them, the
// prediction sheet, and the draw they stand for.
QStringList handedOn(MainForm& f, Workspace& ws) {
    cardprint::PrintListForm list(ws.host, ws.module);
    cardprint::TransferForm transfer(f, list);
    for (auto* box :
         {&transfer.Check1[0], &transfer.Check1[1], &transfer.Check2[0], &transfer.Check2[1]})
        box->value = 1;
    const int rows = transfer.Transfer();
    QStringList out{QString::number(rows), f.Combo1.text, f.Label2.caption, f.LabKai.caption};
    out << testing_support::gridRows(list.PrintList, 1, rows, 5);
    for (const auto& cell : exports::predictionSheetCells(f))
        out << cell.text;
    return out;
}

// Without a prediction nothing is handed on. The month chosen in the panel is the month
// tallied, whatever the month list showed; a month without draws is refused before the wait.
// No tally changes the prediction the window shows and hands on.
TEST_F(Area, VerificationTalliesTheMonthOfThePanelAndKeepsThePrediction) {
    EXPECT_EQ(handedOn(*f, ws).first(), s(u"0"));
    EXPECT_THROW(
        exports::prepareSheet(exports::Sheet::Prediction, *f, ws.path("."), ws.path("p.xlsx")),
        exports::WorkbookError);
    EXPECT_TRUE(testing_support::told(ws.host, u"「スタート」を押して"));
    ws.host.messages.clear();
    set(*f, kPrediction, {0, 0, 0});
    f->LabStart_Click();
    const QStringList predicted = handedOn(*f, ws);
    ASSERT_GT(predicted.size(), 200);

    f->Combo3[0].text = s(u"2025");
    f->Combo3[1].text = s(u"12");
    f->Option1.selected = 0;
    f->ComDate_Click(12 + 8); // 2026/09: the history holds no draw of it
    set(*f, kVerification, {0, 0, 0});
    f->GrdSM.setText(1, TallyCol::Number, s(u"old"));
    const int passes = ws.host.eventPasses;
    f->LabKensyo_Click();
    EXPECT_TRUE(testing_support::told(ws.host, u"抽選結果のデータがありません。"));
    EXPECT_EQ(ws.host.eventPasses, passes); // no wait before the message
    EXPECT_EQ(f->GrdSM.text(1, TallyCol::Number), s(u"old"));

    ws.host.messages.clear();
    f->ComDate_Click(12 + 6); // 2026/07
    f->LabKensyo_Click();
    EXPECT_TRUE(ws.host.messages.empty());
    EXPECT_EQ(f->Combo3[1].text + QString::number(f->Option1.selected), s(u"71")); // by month
    EXPECT_EQ(f->GrdSM.text(1, TallyCol::Number), QString::number(f->monthFirstDraw));
    EXPECT_GT(f->simRows, 15);
    EXPECT_EQ(handedOn(*f, ws), predicted);

    f->Option1.selected = 0; // シュミ集計 over the ten draws before the one shown
    f->Command3_Click();
    EXPECT_EQ(f->GrdSM.text(1, TallyCol::Number), s(u"7045"));
    EXPECT_EQ(handedOn(*f, ws), predicted);
}

TEST_F(Area, PressedLookPaintsTheShapes) {
    const std::pair<const ui::Label*, std::vector<int>> cases[] = {
        {&f->LabCom1, {0}},    {&f->LabYSS, {1}},     {&f->LabStart, {3}},
        {&f->LabKnen, {4, 5}}, {&f->LabKmon, {4, 5}}, {&f->LabKDS, {10}}};
    for (const auto& [label, shapes] : cases) {
        const int shape = f->shapeOf(*label);
        f->LabelButton_MouseDown(shape);
        for (int i = 0; i < 11; ++i) {
            const bool pressed = std::count(shapes.begin(), shapes.end(), i) > 0;
            EXPECT_EQ(f->Shape1[i].red, pressed ? 0 : (i == 1 ? 35 : 37)) << i;
        }
        f->LabelButton_MouseUp(shape);
        for (int i : shapes)
            EXPECT_EQ(f->Shape1[i].green, i == 1 ? 35 : 37);
    }
    EXPECT_EQ(f->shapeOf(f->Label2), -1);
}

// Every hidden switch answers the right button with Shift held, and nothing else.
TEST_F(Area, HiddenSwitchesNeedShiftAndTheRightButton) {
    const std::pair<std::function<void(int, int)>, std::function<bool()>> switches[] = {
        {[&](int b, int s) { f->Label4_MouseDown(b, s); }, [&] { return f->Grd2.visible(); }},
        {[&](int b, int s) { f->LabKai_MouseDown(b, s); }, [&] { return f->Image3.visible; }},
        {[&](int b, int s) { f->Label5_MouseDown(0, b, s); }, [&] { return f->Image4.visible; }},
        {[&](int b, int s) { f->Picture1_MouseDown(b, s); },
         [&] { return f->Frame3.visible && f->Frame4.visible; }},
        {[&](int b, int s) { f->Picture3_MouseDown(b, s); },
         [&] { return f->PicCame[0].visible && f->PicCame[1].visible; }},
        {[&](int b, int s) { f->Label13_MouseDown(b, s); }, [&] { return f->WindowState == 2; }},
    };
    for (const auto& [press, state] : switches) {
        const bool before = state();
        press(ui::RightButton, 0);
        press(ui::LeftButton, ui::ShiftMask);
        EXPECT_EQ(state(), before);
        press(ui::RightButton, ui::ShiftMask);
        EXPECT_EQ(state(), !before);
        press(ui::RightButton, ui::ShiftMask);
        EXPECT_EQ(state(), before);
    }
    const std::pair<int, int> pictureClicks[] = {{1, 1320}, {0, 0}, {0, 1320}};
    for (const auto& [index, wantTop] : pictureClicks) {
        f->Image2_Click(index);
        EXPECT_EQ(f->Frame2.topTwips, wantTop);
    }
}

} // namespace
