#pragma once

#include "CardLayout.h"
#include "PrintPositionForm.h"

#include "history/AppModule.h"
#include "ui/Controls.h"
#include "ui/Grid.h"
#include "ui/Host.h"

#include <array>
#include <functional>
#include <vector>

namespace cardprint {

struct PrintListText;

// Columns of the print list: the number's four digits in Ａ to Ｄ, then how it is bought
// ("S", "B", "T") and whether it is printed ("○", "×").
struct PrintListCol {
    enum Col : int { No = 0, DigitA = 1, BuyWay = 5, Print = 6 };
};

// The print-list window, frmPrintn4: up to 1000 numbers with their buy types and print
// flags, printed as marks on application cards. Owns the print-position window.
class PrintListForm {
public:
    static constexpr int kRows = 1000;

    PrintListForm(ui::Host& host, history::AppModule& module);

    void Show() { showLoaded(*this); }
    void Form_Load(); // an empty list
    // Takes the print positions from inji04.dat, or opens the print-position window when
    // there is no such file. A short file or unusable positions are told (once), and printing
    // is refused until the print-position window saves usable ones.
    void Form_Activate();
    // Closing the window empties the list and hides the print-position window; the next
    // opening loads it afresh.
    void Form_Unload();

    // ---- the list ----------------------------------------------------------------------------
    // Every cell emptied, the headings written again, scrolled to row 1.
    void GrdClear();
    // Item k: buy type "S", "B", "T" of every used row.
    void Command1_Click(int k);
    // Item k: print flag "○", "×" of every used row.
    void Command2_Click(int k);
    // A click on cell (row, col) makes it the current cell, then cycles it.
    void GrdA_Click(int row, int col);
    // A character typed into the current cell.
    void GrdA_KeyPress(QChar ch);
    void Picture1_Click(); // closes the window as Form_Unload does

    // ---- printing ----------------------------------------------------------------------------
    // "印　刷": checks the rows flagged "○" (nothing flagged or a bad row is told, and
    // nothing opens), asks "N口（M枚）を印刷します。購入額 ¥X" with the 口 of each buy type,
    // then the printer dialog (cancel ends silently) and PrintCard; a print into a file
    // names the file.
    void Command6_Click();
    // Prints every row flagged "○", five to a card. Checks the positions and every flagged
    // row first: positions that put marks on top of each other or off the card, or a row
    // whose digit cells are not one digit each, are named in a message and nothing is
    // printed. A printer failure is reported. Returns whether the document was handed over.
    bool PrintCard(ui::Printer& printer);
    // A number as the last successful PrintCard printed it: its buy type (0 S, 1 B, 2 T) and
    // digits, in print order.
    struct Printed {
        int buyType;
        std::array<int, 4> digits;
        QString number() const; // the four digits as text
    };
    std::vector<Printed> lastPrinted;
    // Run after the print button's print was handed over (the window offers to record it).
    std::function<void()> afterPrint;
    void Command7_Click(); // "印字位置設定": opens the print-position window

    // ---- the print-list file -----------------------------------------------------------------
    static ui::FileDialog fileDialog();
    void Command3_Click(); // "保存"
    void Command4_Click(); // "開く"
    // Writes the digits of every row flagged "○", one line each, to name (".csv" appended
    // unless it ends so). Replaces the file only when the whole list was written.
    bool CsvOut(const QString& chosenName);
    // Loads four-digit numbers into rows 1, 2, ...; stops at row 1000 and skips fields that
    // are not four digits, saying how many it left out and why. A file without any number
    // changes nothing and says so; returns false then.
    bool CsvIn(const QString& chosenName);
    // "コピー＆ペースト": the four-digit numbers on the clipboard (copied from a spreadsheet,
    // a web page or a list of this program) go into the rows after the last row in use,
    // skipping and counting what is not a number, as a loaded file does.
    void Command5_Click();

    ui::Host& host;
    history::AppModule& module;
    bool loaded = false;
    bool visible = false;
    Positions InjiPos = kDefaultPositions;
    PrintPositionForm frmPrsetn4;

    // ---- controls ----------------------------------------------------------------------------
    ui::Grid PrintList{kRows + 1, 7, 1, 1}; // the window's grid GrdA
    std::array<ui::Button, 3> Command1{ui::Button{QStringLiteral("全て")},
                                       ui::Button{QStringLiteral("全て")},
                                       ui::Button{QStringLiteral("全て")}};
    std::array<ui::Button, 2> Command2{ui::Button{QStringLiteral("全て")},
                                       ui::Button{QStringLiteral("全て")}};
    ui::Frame Frame1{QStringLiteral("買い方の記号")};
    ui::Frame Frame2{QStringLiteral("印刷指定")};
    ui::Frame Frame3{QStringLiteral("ＣＳＶデータ読込・保存")};
    std::array<ui::Label, 3> LabBuy{ui::Label{QStringLiteral("Ｓ ： ストレート")},
                                    ui::Label{QStringLiteral("B ： ボックス")},
                                    ui::Label{QStringLiteral("Ｔ ： セット")}};
    std::array<ui::Label, 2> LabFlag{ui::Label{QStringLiteral("○　印刷する")},
                                     ui::Label{QStringLiteral("×　印刷しない")}};
    std::array<ui::Label, 2> LabNote{
        ui::Label{QStringLiteral(
            "買い方の各セルをクリックすると、S・B・Tの順に変わり、個々に設定できます。")},
        ui::Label{QStringLiteral(
            "印刷の各セルをクリックすると、○・×の順に変わり、個々に設定できます。")}};
    ui::Button Command3{QStringLiteral("保存")};
    ui::Button Command4{QStringLiteral("開く")};
    ui::Button Command5{QStringLiteral("コピー＆ペースト")};
    ui::Button Command6{QStringLiteral("印　刷")};
    ui::Button Command7{QStringLiteral("印字位置設定")};

private:
    // Writes the numbers read into rows firstRow, firstRow + 1, ... and tells under title what
    // was left out. Nothing read changes nothing and is told, naming source; returns false.
    bool putNumbers(const PrintListText& read, int firstRow, const QString& source,
                    const QString& title);
    // The rows flagged "○" in print order, once the positions and every such row are
    // usable; otherwise says why and gives false.
    bool flaggedEntries(std::vector<Printed>& entries);

    bool fontSet_ = false;
    QString injiProblemShown_;
};

} // namespace cardprint
