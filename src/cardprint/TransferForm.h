#pragma once

#include "PrintListForm.h"

#include "ui/Controls.h"

#include <array>

namespace mainwindow {
class MainForm;
}

namespace cardprint {

// The transfer window, frmPrtunagi: moves the main window's candidate lists into the print
// list. Its check boxes keep their state while it stays loaded.
class TransferForm {
public:
    TransferForm(mainwindow::MainForm& mainForm, PrintListForm& printList);

    void Show() { visible = true; } // shows the window
    // Only the label "予想データ転送" (index kTransferLabel) starts the transfer.
    void Label1_Click(int index);
    // The pressed look of the transfer label's shape.
    void Label1_MouseDown(int index);
    void Label1_MouseUp(int index);
    void Picture1_Click() { visible = false; } // closes the window

    // Rows 1, 2, ... of the print list from the ticked lists, in the order basic singles,
    // basic doubles, narrowed singles, narrowed doubles; then the print list is shown and
    // this window hidden. Past row 1000 nothing is written and a message says how many
    // numbers were left out. Without a prediction in the main window it says so and writes
    // nothing; with no number in the ticked lists it says so and opens nothing. Returns the
    // number of rows written.
    int Transfer();

    static constexpr int kTransferLabel = 3;

    mainwindow::MainForm& mainForm;
    PrintListForm& printList;
    bool visible = false;

    std::array<ui::Label, 4> Label1{
        ui::Label{QStringLiteral("予想データ選択")}, ui::Label{QStringLiteral("基本予想")},
        ui::Label{QStringLiteral("絞り予想")}, ui::Label{QStringLiteral("予想データ転送")}};
    std::array<ui::CheckBox, 2> Check1{ui::CheckBox{QStringLiteral("シングル")},
                                       ui::CheckBox{QStringLiteral("ダブル")}};
    std::array<ui::CheckBox, 2> Check2{ui::CheckBox{QStringLiteral("シングル")},
                                       ui::CheckBox{QStringLiteral("ダブル")}};
    ui::Shape Shape1; // (37, 37, 37); black while the mouse is down on the label
};

} // namespace cardprint
