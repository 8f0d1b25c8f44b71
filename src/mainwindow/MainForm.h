#pragma once

#include "GridColumns.h"

#include "history/AppModule.h"
#include "simulate/TallyRecord.h"
#include "ui/Controls.h"
#include "ui/Grid.h"
#include "ui/Host.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <vector>

namespace mainwindow {

// The main window, Form1: its controls, its window values and its procedures. The grids
// are the program's working memory; the member functions keep the names the rest of the
// program knows them by and are spread over the subsystem folders (history grid and
// layout here, the prediction in predict/, the lists and narrowings in simulate/).
class MainForm {
public:
    MainForm(ui::Host& host, history::AppModule& module);
    ~MainForm();
    MainForm(const MainForm&) = delete;
    MainForm& operator=(const MainForm&) = delete;

    // ---- start-up and shutdown ----------------------------------------------------------
    // The load sequence. runCatchUp runs the results catch-up as its last step; the command
    // line leaves it out except for its update command.
    void Form_Load(bool runCatchUp = true);
    void Form_Unload(); // closes the files and the shutter sound
    // Installed by whoever owns the results window: the catch-up of the last start-up step.
    std::function<void()> catchUp;
    // A damaged history at start-up is reported and the window carries on with an empty
    // history grid (and no catch-up), so the user can regenerate it. The command line has
    // nothing to carry on with: it sets this and gets the DamagedHistory thrown instead.
    bool stopOnDamagedHistory = false;
    // Set by the start-up when it found the history damaged.
    bool historyDamaged = false;
    // LabOldHistory: the notice of oldHistoryNotice() for the latest draw of Grd2 and the
    // host's clock, shown only when there is one. Grd2Hyoji runs it after every fill.
    void showOldHistory();

    // ---- choosers ----------------------------------------------------------------------
    // Fills Combo1 with the draws from drawsBack before the latest one in the history grid
    // (draw 1 at the earliest) to the next one, and chooses the next one. After Grd2Hyoji.
    void fillDrawList(int drawsBack);
    void LabCom1_Click();          // opens the draw list (Combo1)
    void Combo1_Click();           // a draw was chosen: Combo1.text holds it
    void Combo1_LostFocus();       // closes the draw list without choosing
    void LabKnen_Click();          // opens the month panel (Frame7)
    void ComDate_Click(int index); // the month of ComDate(index) into LabKnen and LabKmon

    // Whether the window holds a prediction to hand on to the cards or a sheet: a draw named
    // in LabKai with its basic lists built. None at start-up, and none once another draw is
    // chosen (its lists are emptied) until ①集計 and ②集計 have run for it.
    bool hasPrediction() const;
    // What the transfer and the prediction sheet say instead of handing on no prediction.
    static QString noPredictionMessage();

    // ---- prediction and verification areas (mainwindow/StartControls.cpp) ---------------
    // Strength labels: each click moves the level 0 -> 3 -> 2 -> 1 -> 0; "無し" (3) pulls the
    // other level of the area to 3 and its switch to "ON".
    void LabYSS_Click(); // prediction, single level
    void LabYDS_Click(); // prediction, double level
    void LabKSS_Click(); // verification, single level
    void LabKDS_Click(); // verification, double level
    void LabYOP_Click(); // stays "ON" while both prediction levels are "無し"
    void LabKOP_Click(); // the same for the verification switch
    // The two starts. A start refused by the option check shows "この組み合わせでは予想
    // できません。" and changes nothing; a start already running ignores a second one.
    void LabStart_Click();  // the prediction of the draw in Combo1
    void LabKensyo_Click(); // the verification over Combo3 or the chosen month
    bool startRunning() const { return startRunning_; }
    // The option check and the choice of the ③ narrowing of both starts, for an area's
    // switch and strength levels: none when the combination is refused, else the values the
    // start gives Check4 and Check5. The command line checks its options with it too.
    struct NarrowingChecks {
        int check4 = 0;
        int check5 = 0;
    };
    static std::optional<NarrowingChecks> startChecks(int opt, int singleLevel, int doubleLevel);
    static QString refusedStartMessage();
    // What a start does with accepted options: Combo4(0) and Combo4(1) take StrengthValues of
    // the levels, Check4 and Check5 the choice of startChecks.
    void setStartSizesAndChecks(int opt, int singleLevel, int doubleLevel);
    // The ③ narrowing the check boxes choose, as the prediction start runs it: Check3 first,
    // then Check4, Check5, else ③S・W絞り.
    void runChosenNarrowing();
    // Shows the strength levels and switches of both areas in their labels.
    void showOptionCaptions();

    // Pressed look of the label buttons, by shape: the shape of a label (Shape1 index), or
    // -1 for a label without one.
    int shapeOf(const ui::Label& label) const;
    void LabelButton_MouseDown(int shape); // shows the shape pressed
    void LabelButton_MouseUp(int shape);   // shows it released

    // Panels and hidden switches. Mouse handlers take a ui::MouseButton and the Shift state;
    // the switches answer only a right press with Shift held.
    void Label14_Click(int index);                // Label14(0) shows Frame3, Label14(1) hides it
    void Label4_MouseDown(int button, int shift); // shows or hides Grd2
    void LabKai_MouseDown(int button, int shift); // shows or hides Image3
    void Label5_MouseDown(int index, int button, int shift); // shows or hides Image4
    void Picture1_MouseDown(int button, int shift);          // shows or hides Frame3, Frame4
    void Picture3_MouseDown(int button, int shift);          // shows or hides the camera
    void Label13_MouseDown(int button, int shift);           // maximises or restores
    void Picture2_Click();                                   // closes the files and ends
    void Image2_Click(int index);                            // Image2(0) moves Frame2
    // Installed by the view: ends the program (Picture2). The view unloads the form.
    std::function<void()> endProgram;

    // ---- settings file seteifile.dat (mainwindow/Settings.cpp) -----------------------------
    void Label9_Click();                           // saves Combo4(0) and Combo4(1)
    void Label10_MouseDown(int button, int shift); // loads them back

    // ---- progress (mainwindow/Progress.cpp) ------------------------------------------------
    void TimeGo();       // starts Timer1 (prediction) or stops it and hides its notice
    void TimeGo2();      // the same for Timer2 (verification)
    void Timer1_Timer(); // a tick: blinks "集計中！" and counts in LabTimer
    void Timer2_Timer(); // the same for the verification area

    // ---- grids and layout ---------------------------------------------------------------
    // Captions of the strength and switch labels, headings and column widths of every grid.
    void sizecells();
    // Fills Grd2 from number414.dat, checking every record; throws DamagedHistory (with the
    // grid left empty) when one is not its draw.
    void Grd2Hyoji();
    void GrdSWHyoji();   // every single box into GrdS, every double box into GrdW
    void frmYosoClear(); // empties the four list grids
    void GrdSMClear();   // empties the tally grid, headings written again

    // ---- prediction ---------------------------------------------------------------------
    // The analysis of the 50 draws before the one in Combo1 into GrdA(0), the digit tables
    // Grd1 and Grd1a (Ａ to Ｄ) drawn from it, and the marker digit (Label12).
    void Yoso();
    // For the latest draw (Grd4) and the one before it (Grd5): the rank each of its digits
    // held in the order before it, and the digit holding that rank in the latest order.
    void Jyuni();
    // The two axis digits (axisDigit1/2, shown in LabJiku) from the ranks in Grd4 and Grd5.
    void NewVerSort();
    // The W・S prediction (Grd2Col::WsPrediction and WsMark) of the draw in Combo1 and of the
    // 500 draws before it, worked in Grd3.
    void NewWSset();
    // Finds the winning box in the basic list of its type: hitS or hitW, winKeyS or winKeyW.
    void WWSSatari();

    // ---- lists, narrowings, tally, what-ifs (simulate/) -----------------------------------
    void Command1_Click();  // ①集計
    void Command2_Click();  // ②集計
    void Command4_Click();  // ③S・W絞り
    void Command12_Click(); // ③C枠絞り
    void Command13_Click(); // ③軸数字絞り
    void Command14_Click(); // ③軸数字絞り２
    void Command10_Click(); // ④更に絞る
    void Command9_Click();  // 絞り「テスト
    void Command3_Click();  // シュミ集計
    void Command6_Click();  // what-if: all by W・S
    void Command7_Click();  // what-if: W only
    void Command8_Click();  // what-if: S only
    void Command11_Click(); // what-if: perfect W・S
    void Command15_Click(); // what-if: narrowed only
    void Command5_Click();  // Back100件
    void Label3_DblClick(); // shows or hides GrdR and Command5

    // ---- month range ----------------------------------------------------------------------
    // The first and last draw of the month in Combo3(0)/Combo3(1) (monthFirstDraw,
    // monthLastDraw).
    void NenGetuS();

    // ---- exports, window capture, home page (export/) -------------------------------------
    void Image1_Click();           // opens the guide (docs/index.html)
    void Image3_Click();           // prediction sheet into a copy of its template
    void Image4_Click();           // tally sheet into a copy of its template
    void PicCame_Click(int index); // window image to the clipboard, then the shutter sound
    // Clears the clipboard and puts an image of the main window on it (false: the screen).
    void HardCopy(bool blnTargetWin);
    void MMControl1_Done(); // the shutter sound has finished

    // ---- the platform and the shared module ---------------------------------------------
    ui::Host& host;
    history::AppModule& module;
    history::HistoryFiles& files;

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
    ui::Timer Timer1;
    ui::Timer Timer2;
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

    // The digit sets of a box table's numbers (bit d: digit d, row j of the table), with the
    // revision and count of the table they were read from. The box tables are filled once
    // at start-up (or copied into a new worker form), so a revision names their content.
    struct BoxDigits {
        unsigned long long revision = ~0ULL;
        int count = -1;
        std::vector<int> held;
    };

private:
    BoxDigits boxDigitsS_, boxDigitsW_; // of GrdS and GrdW, for ②集計
    // startChecks, showing the refusal when it refuses.
    bool optionsAccepted(int opt, int singleLevel, int doubleLevel);
    // TimerCount := 0, start the area's timer, and process events until WaitTicks ticks.
    void waitTicks(ui::Timer& timer, void (MainForm::*timeGo)());
    bool startRunning_ = false;

    void fillMonthButtons(); // ComDate: the months of last year and of this year up to now
    // LabKnen/LabKmon: today's month when the history holds a draw of it, else the latest
    // earlier month that has one (KensyoYear and KensyoMonth stay today's).
    void chooseVerificationMonth();

    // ---- narrowing skeleton (simulate/Narrowing.cpp) --------------------------------------
    // Shared by every ③ narrowing. A narrowing stops when basicListEmpty(), else calls
    // headNarrowedLists() and then, for ListSide::S and ListSide::W in this order:
    // collectRecent(), fillWorkColumn() with its keep rule, removeRecentDraws() if it uses
    // the recent draws, compactNarrowed(); and findNarrowedHits() last.
    enum class ListSide { S, W };
    // The grids and values of one side: basic list and count, narrowed list and count, the
    // GrdR column of its recent numbers and the Grd2 type ("S"/"W") those are drawn from.
    struct NarrowSide {
        const ui::Grid& basic;
        const int& basicCount;
        ui::Grid& narrowed;
        int& narrowCount;
        int recentCol;
        QString type;
    };
    NarrowSide narrowSide(ListSide side);
    // True when the basic S list holds no candidate: the narrowing must then change nothing.
    bool basicListEmpty() const;
    // Clears GrdSS2 and GrdWW2, gives them 1000 rows and their headings.
    void headNarrowedLists();
    // The C list: Grd1a column Ｃ, rows 1 to 6, down to the first empty cell.
    QStringList cFrameDigits() const;
    // D, the draw in Combo1; N (side S) or M (side W), the size in Combo4.
    int selectedDraw() const;
    int narrowingSize(ListSide side) const;
    // K, the previous draw's units digit plus 1 (10 becomes 0), shown in Label11.
    QString showShiftedUnitsDigit(int draw);
    // Empties the side's GrdR column, then writes the winning numbers of the draws of the
    // side's type before `draw`, newest first from row 1, stopping after bound + 1 of them
    // and at draw 1 (at most 1001 draws scanned). Returns how many rows the removal may
    // compare with: the rows written, at most bound.
    int collectRecent(ListSide side, int draw, int bound);
    // Writes the basic candidates that `keep` accepts into the narrowed list's work column 2,
    // rows 1..n, with running numbers in column 0. Returns n.
    int fillWorkColumn(ListSide side, const std::function<bool(const QString&)>& keep);
    // Empties work rows 1..n whose four digits all occur in one of GrdR rows 1..recentRows.
    void removeRecentDraws(ListSide side, int n, int recentRows);
    // Moves the non-empty work rows 1..n up into columns 0 (running number) and 1, writes
    // the count m under them, sets m + 2 rows, top row m and the side's narrow count.
    int compactNarrowed(ListSide side, int n);
    // The whole narrowing for a plain keep rule: the skeleton above with collectRecent(),
    // fillWorkColumn(keep) and compactNarrowed() for each side.
    void narrowByKeepRule(const std::function<bool(const QString&)>& keep);
    // Looks for winKeyS in GrdSS2 and winKeyW in GrdWW2; a found cell is painted with the
    // hit colour and made the top row, and narrowHit becomes 1 or 2.
    void findNarrowedHits();
};

// The line that tells a history is behind: empty while no weekday draw (Monday to Friday,
// not 31 December to 3 January) has had its results out (18:45 Japan time plus an hour) at
// `now` since the latest stored draw, `latestDraw` of `latestDate`.
QString oldHistoryNotice(int latestDraw, const QDate& latestDate, const QDateTime& now);

// Empties a list grid (GrdSS, GrdWW, GrdSS2, GrdWW2), gives it rows rows and its headings.
void clearList(ui::Grid& list, int rows, const QString& heading);
// "S" for four different digits, "W" for exactly one digit twice (AABC), "A" otherwise.
QString numberType(const QString& number);
// How many of the six position pairs of a four-digit number hold equal digits.
int equalPairs(const QString& number);
// Whether every digit of the winning number finds a digit of its own in the candidate:
// equality as a box (2131 is 1123, but not 1233).
bool sameBox(const QString& candidate, const QString& winning);

} // namespace mainwindow
