#pragma once

#include "Book.h"

#include "history/AppModule.h"
#include "ui/Controls.h"
#include "ui/Grid.h"
#include "ui/Host.h"

#include <vector>

namespace ledger {

// Columns of the ticket list.
struct TicketCol {
    enum Col : int { Id = 0, Draw, Number, Type, Units, Cost, Status, Prize, Count };
};

// The 購入記録 window: the tickets of the data folder's ledger with their results, newest
// draw first, a filter, a row for entering tickets by hand, removal, the summary line and
// the balance curves. Also asks to record a card print, and tells the results of the
// tickets of draws the catch-up appended. Reads the ledger and the history afresh each time.
class LedgerForm {
public:
    LedgerForm(ui::Host& host, history::AppModule& module);

    void Show();
    // Reads the ledger and the history and fills the list, the summary and the curves. A
    // damaged ledger or history is told in a message and leaves them empty.
    void Form_Load();
    // 0 抽選待ち, 1 当選, 2 すべて.
    void Filter_Click(int k);
    // A click on a row of the list selects its ticket.
    void Tickets_Click(int row);
    // 記録: the tickets of the hand-entry row (draw, buy type, units and the numbers typed,
    // separated by blanks or commas). A ticket that cannot be bought is named in a message
    // and nothing is recorded.
    void CommandAdd_Click();
    // 削除: the selected ticket, once the user has said yes.
    void CommandRemove_Click();

    // After a card print: "この N 口を第M回の購入として記録しますか？" for the draw after the
    // latest one; yes records the printed numbers, one 口 each. Numbers that cannot be bought
    // that way (a box or set of four equal digits) are named and left out.
    struct Printed {
        QString number;
        BuyType type = BuyType::Straight;
    };
    void offerPrinted(const std::vector<Printed>& printed);
    // After draws firstDraw to lastDraw arrived (the catch-up, or another copy of the program
    // such as the weekday fetch): a message with the results of the tickets of those draws,
    // when there are any, leaving out the draws already told (lastAnnouncedDraw).
    void announceDraws(int firstDraw, int lastDraw);

    ui::Host& host;
    history::AppModule& module;
    bool visible = false;

    // ---- controls ---------------------------------------------------------------------------
    ui::Grid Tickets{1, TicketCol::Count, 1, 0};
    ui::OptionGroup Filter{
        {QStringLiteral("抽選待ち"), QStringLiteral("当選"), QStringLiteral("すべて")}, 2};
    ui::TextBox TextDraw; // 回
    ui::ComboBox ComboType{{QStringLiteral("S"), QStringLiteral("B"), QStringLiteral("T")},
                           QStringLiteral("S")};
    ui::ComboBox ComboUnits;
    ui::TextBox TextNumbers;
    ui::Button CommandAdd{QStringLiteral("記録")};
    ui::Button CommandRemove{QStringLiteral("削除")};
    ui::Label LabSummary;
    BalanceCurves curves;

private:
    QString ledgerPath() const;
    std::vector<history::DrawRecord> draws() const;
    void fillList();
    // Runs an action on the ledger; a file fault is shown in a message.
    bool reporting(const std::function<void()>& action);

    std::vector<Row> rows_;        // every ticket, as last read
    std::vector<long long> shown_; // the ticket id of each list row
};

} // namespace ledger
