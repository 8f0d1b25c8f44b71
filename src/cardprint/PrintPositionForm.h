#pragma once

#include "CardLayout.h"

#include "history/AppModule.h"
#include "ui/Controls.h"
#include "ui/Host.h"

#include <array>

namespace cardprint {

// Show of a window that loads on first use: loads it the first time, shows it and activates
// it.
template <typename Form> void showLoaded(Form& form) {
    if (!form.loaded)
        form.Form_Load();
    form.visible = true;
    form.Form_Activate();
}

// The print-position window, frmPrsetn4: the six positions in text boxes over a drawing of
// the card, kept in inji04.dat. Hiding it keeps it loaded.
class PrintPositionForm {
public:
    // pos is the print list's set of positions, which this window replaces.
    PrintPositionForm(ui::Host& host, history::AppModule& module, Positions& pos);

    void Show() { showLoaded(*this); }
    void Form_Load(); // ShokiSet
    // Reads record 1 into the text boxes and the positions; writes the defaults when there is
    // no file. A short file shows the defaults without writing them; it and unusable
    // positions are told once.
    void Form_Activate();
    void Form_Deactivate() { visible = false; } // leaving the window hides it
    void Picture2_Click() { visible = false; }  // closes the window

    // The default texts into the text boxes.
    void ShokiSet();
    // The text boxes (numeric values, clamped to 16 bits) into the positions and record 1.
    // Positions that would put marks on top of each other or off the card are refused with a
    // message and not written; returns whether they were.
    bool RecWrite();
    // "保存": RecWrite, the message, then hidden.
    void Command1_Click();
    // "テスト印刷": the calibration card at the positions the text boxes hold (unusable ones
    // are refused).
    void Command2_Click();
    // The text boxes as positions.
    Positions textPositions() const;

    ui::Host& host;
    history::AppModule& module;
    Positions& InjiPos;
    bool loaded = false;
    bool visible = false;

    std::array<ui::TextBox, 6> Text1;
    ui::Label Label1{QStringLiteral("用紙送り誤差")};
    ui::Button Command1{QStringLiteral("保存")};
    ui::Button Command2{QStringLiteral("テスト印刷")};

private:
    QByteArray trailer_ = QByteArray(kInjiTrailerBytes, '\0'); // as last read
    QString problemShown_;
};

} // namespace cardprint
