#pragma once

#include "simulate/TallyRecord.h"
#include "ui/Controls.h"
#include "ui/Grid.h"

#include <QString>

#include <array>
#include <vector>

namespace mainwindow {

// What the main window holds: its controls and working values, with the compiler's copy.
// A tally on another thread starts from a copy of the window's state; the grids share
// their cells until one side writes (ui::Grid), so the history and the box tables, which a
// tally only reads, are never copied. A member added here is copied with the rest.
struct MainFormState {
    // ---- grids --------------------------------------------------------------------------
    ui::Grid Grd2{1000, 20, 1, 0};                        // history, row n = draw n
    ui::Grid GrdS{5000, 10, 1, 1};                        // every single box number
    ui::Grid GrdW{5000, 10, 1, 1};                        // every double box number
    std::array<ui::Grid, 1> GrdA{ui::Grid{52, 14, 1, 0}}; // analysis table
    ui::Grid Grd1a{10, 4, 1, 0};                          // candidate digit tables Ａ to Ｄ
    ui::Grid Grd1{5, 4, 1, 0};                            // reference digit table
    ui::Grid GrdSS{5000, 10, 0, 0};                       // basic S list
    ui::Grid GrdWW{5000, 10, 0, 0};                       // basic W list
    ui::Grid GrdSS2{5000, 10, 0, 0};                      // narrowed S list
    ui::Grid GrdWW2{5000, 10, 0, 0};                      // narrowed W list
    ui::Grid GrdSM{25, 22, 0, 0};                         // simulation tally
    ui::Grid Grd3{22, 10, 1, 0};                          // W・S prediction work table
    ui::Grid GrdR{500, 10, 1, 0};                         // recent numbers / Back100件
    ui::Grid Grd4{2, 6, 0, 1};                            // ranks of the latest draw
    ui::Grid Grd5{2, 6, 0, 1};                            // ranks of the draw before it

    // ---- labels -------------------------------------------------------------------------
    ui::Label Label13{QStringLiteral("Tessarin")};
    std::array<ui::Label, 13> Label14;
    ui::Label LabCom1;
    ui::Label LabKnen, LabKmon;
    ui::Label LabYSS, LabYDS, LabYOP, LabKSS, LabKDS, LabKOP;
    ui::Label LabStart{QStringLiteral("スタート")};
    ui::Label LabKensyo{QStringLiteral("スタート")};
    ui::Label Label2;                 // winning number of the selected draw
    ui::Label Label6;                 // narrowing sizes of the last tally
    ui::Label LabBaseline;            // the chance baseline of the last tally
    ui::Label Label8;                 // W・S prediction of the selected draw
    ui::Label LabDays;                // date of the selected draw
    ui::Label LabKai;                 // "第N回"
    ui::Label Label11;                // shifted units digit K
    ui::Label Label12;                // marker digit
    std::array<ui::Label, 2> LabJiku; // axis digits
    // Under the header, shown while the history lacks draws whose results are out.
    ui::Label LabOldHistory{QString(), false};
    std::array<ui::Label, 1> Label5{ui::Label{QStringLiteral("購入したら")}}; // payout panel
    std::array<ui::Label, 2> LabSine{ui::Label{QStringLiteral("集計中！"), false},
                                     ui::Label{QStringLiteral("集計中！"), false}};
    ui::Label LabTimer{QStringLiteral("0")};
    ui::Label Label3{QStringLiteral("TT")};
    ui::Label Label4{QStringLiteral("TT")};
    ui::Label Label9{QStringLiteral("TT")};
    ui::Label Label10{QStringLiteral("JJ")};

    // ---- lists, buttons, options --------------------------------------------------------
    ui::ComboBox Combo1;                // the draw to predict
    std::array<ui::ComboBox, 3> Combo3; // year, month, count of the verification range
    std::array<ui::ComboBox, 2> Combo4; // S and W narrowing sizes
    std::array<ui::Button, 24> ComDate; // month panel
    ui::Button Command1{QStringLiteral("①集計")};
    ui::Button Command2{QStringLiteral("②集計")};
    ui::Button Command3{QStringLiteral("シュミ集計")};
    ui::Button Command4{QStringLiteral("③S・W絞り")};
    ui::Button Command5{QStringLiteral("Back100件"), true, false};
    ui::Button Command6{QStringLiteral("絞り予想とWS予想ですべて購入したら")};
    ui::Button Command7{QStringLiteral("絞り予想とWS予想でWだけ購入したら")};
    ui::Button Command8{QStringLiteral("絞り予想とWS予想でSだけ購入したら")};
    ui::Button Command9{QStringLiteral("絞り「テスト")};
    ui::Button Command10{QStringLiteral("④更に絞る")};
    ui::Button Command11{QStringLiteral("基本予想とWS予想が100％だったら")};
    ui::Button Command12{QStringLiteral("③C枠絞り")};
    ui::Button Command13{QStringLiteral("③軸数字絞り")};
    ui::Button Command14{QStringLiteral("③軸数字絞り２　(S・W絞り連動）")};
    ui::Button Command15{QStringLiteral("絞り予想だけでで購入したら")};
    ui::CheckBox Check1{QStringLiteral("更に絞る")};
    ui::CheckBox Check2{QStringLiteral("C枠　２個絞り")};
    ui::CheckBox Check3{QStringLiteral("シュミ集計に使用")};
    ui::CheckBox Check4{QStringLiteral("シュミ集計に使用")};
    ui::CheckBox Check5{QStringLiteral("シュミ集計に使用")};
    ui::OptionGroup Option1{
        {QStringLiteral("回数"), QStringLiteral("月間"), QStringLiteral("全期間")}, 0};
    ui::OptionGroup Option2{{QStringLiteral("AC"), QStringLiteral("AB"), QStringLiteral("CD"),
                             QStringLiteral("BC"), QStringLiteral("AD"), QStringLiteral("BD")},
                            0};
    ui::Frame Frame1{QStringLiteral("シュミ範囲")};
    ui::Frame Frame2{QStringLiteral("基本数値"), 1320};
    ui::Frame Frame3;
    ui::Frame Frame4;
    ui::Frame Frame7{QString(), 0, false};
    std::array<ui::Shape, 11> Shape1;
    // The guide, the two exports and the camera (PicCame(1) is its pressed look). The
    // exports start shown; the camera waits for its switch (Picture3).
    ui::Picture Image1, Image3, Image4;
    std::array<ui::Picture, 2> PicCame{ui::Picture{false}, ui::Picture{false}};
    ui::SoundControl MMControl1;

    // ---- window values ------------------------------------------------------------------
    QString TodayYear, TodayMonth, TodayDay;
    QString KensyoYear, KensyoMonth;
    int YosoSSLevel = 3, YosoDSLevel = 3, KensyoSSLevel = 3, KensyoDSLevel = 3;
    int YosoOpt = 1, KensyoOpt = 1;
    int WaitTicks = 5;
    int TimerCount = 0;
    QString SetteiPath;
    int HistRows = 0;
    int SingleCount = 0;
    int DoubleCount = 0;
    // The window's state as the view applies it: 0 normal, 2 maximised (Label13's switch).
    int WindowState = 0;

    // Values shared by the prediction, the lists and the tally.
    int basicCountS = 0, basicCountW = 0;
    int narrowCountS = 0, narrowCountW = 0, narrowHit = 0;
    int hitS = 0, hitW = 0;
    QString winKeyS, winKeyW;
    int simRows = 0;
    // The draws of the last tally as its narrowed lists played them, and their chance
    // baseline (shown in LabBaseline).
    std::vector<simulate::TallyDraw> tallyDraws;
    simulate::Baseline tallyBaseline;
    // The range of the last tally as its sheet is headed: "2026年07月", "第190回〜第199回" or
    // "全期間（第51回〜第7054回）".
    QString tallyRangeTitle;
    int monthFirstDraw = 0, monthLastDraw = 0;
    int axisDigit1 = 0, axisDigit2 = 0; // shown in LabJiku
};

} // namespace mainwindow
