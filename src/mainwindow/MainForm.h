#pragma once

#include "GridColumns.h"
#include "MainFormState.h"

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
class MainForm : public MainFormState {
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
    // The ③ narrowing the check boxes choose (simulate::chosenNarrowing), as the prediction
    // start and シュミ集計 run it.
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
    // WWSSatari's search over the candidates of rows 1..basicCountS (single) or basicCountW
    // of the list the draw's type names, given by `candidate`: sets the hit and the key of the
    // first that is the winning number as a box. row 0: none found.
    struct WinningBox {
        bool single = false;
        int row = 0;
    };
    WinningBox findWinningBox(const std::function<const QString&(bool single, int row)>& candidate);

    // ---- lists, narrowings, tally, what-ifs (simulate/) -----------------------------------
    void Command1_Click(); // ①集計
    void Command2_Click(); // ②集計
    // ②集計 without writing its lists: the rows of GrdS and GrdW the basic lists would hold,
    // in order, with basicCountS/W, hitS/W and winKeyS/W set as ②集計 sets them. For the
    // strategy table, which only narrows the lists and never shows them.
    struct BasicRows {
        std::vector<int> singles, doubles;
    };
    BasicRows basicRows();
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

    // Bound to this form's tick handlers, so not part of the copied state.
    ui::Timer Timer1;
    ui::Timer Timer2;

    // The digit sets of a box table's numbers (bit d: digit d, row j of the table), with the
    // revision and count of the table they were read from. The box tables are filled once
    // at start-up (or copied into a new worker form), so a revision names their content.
    struct BoxDigits {
        unsigned long long revision = ~0ULL;
        int count = -1;
        std::vector<int> held;
        // rowsWith[10 * a + b]: the rows, in order, that hold the digits a and b.
        std::array<std::vector<int>, 100> rowsWith;
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
// Whether every digit of the winning number finds a digit of its own in the candidate:
// equality as a box (2131 is 1123, but not 1233).
bool sameBox(const QString& candidate, const QString& winning);

} // namespace mainwindow
