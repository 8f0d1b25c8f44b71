#include "LedgerForm.h"
#include "Ledger.h"

#include "predict/Analysis.h"
#include "ui/Numeric.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace ledger {

namespace {

const char16_t* const kHeadings[] = {u"ID",   u"回",     u"数字", u"買方",
                                     u"口数", u"購入額", u"状態", u"当選金"};
const QString kTitle = QStringLiteral("購入記録");

} // namespace

LedgerForm::LedgerForm(ui::Host& host_, history::AppModule& module_)
    : host(host_), module(module_) {
    for (int units = 1; units <= kMaxUnits; ++units)
        ComboUnits.addItem(QString::number(units));
    ComboUnits.text = ComboUnits.items.first();
    for (int c = 0; c < TicketCol::Count; ++c)
        Tickets.setText(0, c, QString::fromUtf16(kHeadings[c]));
}

QString LedgerForm::ledgerPath() const {
    return module.files.appFile(Ledger::fileName());
}

std::vector<history::DrawRecord> LedgerForm::draws() const {
    return readDraws(module.files.folder(), module.files.damageAdvice);
}

bool LedgerForm::reporting(const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const history::FileError& e) {
        host.messageBox(e.message(), kTitle);
        return false;
    }
}

void LedgerForm::Show() {
    visible = true;
    Form_Load();
}

void LedgerForm::Form_Load() {
    std::vector<history::DrawRecord> history;
    rows_.clear();
    reporting([&] {
        history = draws();
        rows_ = judgeAll(Ledger(ledgerPath(), false).tickets(), history);
    });
    if (TextDraw.text.isEmpty())
        TextDraw.text = QString::number(history.size() + 1);
    LabSummary.caption = summaryLine(summarize(rows_, history));
    curves = balanceCurves(rows_);
    fillList();
}

void LedgerForm::fillList() {
    std::vector<const Row*> shown;
    for (const Row& r : rows_) {
        const Status s = r.outcome.status;
        if (Filter.selected == 2 || (Filter.selected == 0 && s == Status::Pending) ||
            (Filter.selected == 1 && s == Status::Won))
            shown.push_back(&r);
    }
    std::sort(shown.begin(), shown.end(), [](const Row* a, const Row* b) {
        return std::pair(a->ticket.drawNo, a->ticket.id) >
               std::pair(b->ticket.drawNo, b->ticket.id);
    });
    Tickets.setRows(static_cast<int>(shown.size()) + 1);
    shown_.clear();
    int row = 0;
    for (const Row* r : shown) {
        const Ticket& t = r->ticket;
        const QString cells[] = {QString::number(t.id),
                                 QString::number(t.drawNo),
                                 t.number,
                                 typeLetter(t.type),
                                 QString::number(t.units),
                                 ui::yen(t.costYen()),
                                 statusCaption(r->outcome.status),
                                 r->outcome.status == Status::Won ? ui::yen(r->outcome.prizeYen)
                                                                  : QString()};
        ++row;
        for (int c = 0; c < TicketCol::Count; ++c)
            Tickets.setText(row, c, cells[c]);
        shown_.push_back(t.id);
    }
    Tickets.selectCell(0, 0);
}

void LedgerForm::Filter_Click(int k) {
    Filter.selected = k;
    fillList();
}

void LedgerForm::Tickets_Click(int row) {
    if (row >= 1 && row <= static_cast<int>(shown_.size()))
        Tickets.selectCell(row, 0);
}

void LedgerForm::CommandAdd_Click() {
    bool isNumber = false;
    Ticket base;
    base.drawNo = TextDraw.text.trimmed().toInt(&isNumber);
    base.type = typeFromLetter(ComboType.text).value_or(BuyType::Straight);
    base.units = ComboUnits.text.toInt();
    const QStringList numbers = TextNumbers.text.split(
        QRegularExpression(QStringLiteral("[\\s,、，]+")), Qt::SkipEmptyParts);
    QString problem;
    if (!isNumber)
        problem = QStringLiteral("回には数を入れてください。");
    else if (numbers.isEmpty())
        problem = QStringLiteral("記録する4桁の数字を入れてください。");
    std::vector<Ticket> tickets;
    for (const QString& n : numbers) {
        Ticket t = base;
        t.number = n;
        if (problem.isEmpty())
            problem = ticketProblem(t);
        tickets.push_back(t);
    }
    if (!problem.isEmpty()) {
        host.messageBox(problem + QStringLiteral("\r何も記録していません。"), kTitle);
        return;
    }
    // A ledger that cannot be written was named once; reading it again would say it twice.
    if (!reporting([&] { Ledger(ledgerPath(), true).add(tickets); }))
        return;
    TextNumbers.text.clear();
    Form_Load();
}

void LedgerForm::CommandRemove_Click() {
    const int row = Tickets.selectedCell().first;
    if (row < 1 || row > static_cast<int>(shown_.size())) {
        host.messageBox(QStringLiteral("削除する購入記録を一覧で選んでください。"), kTitle);
        return;
    }
    const QString what =
        QStringLiteral("ID %1（第%2回 %3 %4 %5口）")
            .arg(Tickets.text(row, TicketCol::Id), Tickets.text(row, TicketCol::Draw),
                 Tickets.text(row, TicketCol::Number), Tickets.text(row, TicketCol::Type),
                 Tickets.text(row, TicketCol::Units));
    if (!host.question(what + QStringLiteral("の購入記録を削除しますか？"), kTitle))
        return;
    const long long id = shown_[static_cast<std::size_t>(row - 1)];
    if (!reporting([&] {
            if (!Ledger(ledgerPath(), false).remove({id}).empty())
                host.messageBox(what + QStringLiteral("は既にありません。"), kTitle);
        }))
        return;
    Form_Load();
}

void LedgerForm::offerPrinted(const std::vector<Printed>& printed) {
    int drawNo = 0;
    // A history too short to predict from has no draw to buy for yet.
    if (!reporting([&] { drawNo = static_cast<int>(draws().size()) + 1; }) ||
        drawNo < predict::kFirstPredictableDraw)
        return;
    std::vector<Ticket> tickets;
    QStringList left;
    for (const Printed& p : printed) {
        const Ticket t{0, drawNo, p.number, p.type, 1, {}, Source::CardPrint};
        if (ticketProblem(t).isEmpty())
            tickets.push_back(t);
        else
            left.append(QStringLiteral("%1（%2）").arg(p.number, typeLetter(p.type)));
    }
    QString note;
    if (!left.isEmpty())
        note = QStringLiteral("\r%1 はこの買い方では買えないので記録しません。")
                   .arg(left.join(QStringLiteral("、")));
    if (tickets.empty()) {
        if (!left.isEmpty())
            host.messageBox(note.mid(1), kTitle);
        return;
    }
    if (!host.question(QStringLiteral("この %1 口を第%2回の購入として記録しますか？")
                               .arg(tickets.size())
                               .arg(drawNo) +
                           note,
                       kTitle))
        return;
    reporting([&] { Ledger(ledgerPath(), true).add(tickets); });
    if (visible)
        Form_Load();
}

void LedgerForm::announceDraws(int firstDraw, int lastDraw) {
    QStringList lines;
    const QString folder = QFileInfo(ledgerPath()).absolutePath();
    reporting([&] {
        const int from = std::max(firstDraw, lastAnnouncedDraw(folder) + 1);
        if (from > lastDraw)
            return;
        lines = drawResultLines(folder, from, lastDraw, module.files.damageAdvice);
        rememberAnnounced(folder, lastDraw);
    });
    if (!lines.isEmpty())
        host.messageBox(lines.join(u'\r'), kTitle);
    if (visible)
        Form_Load();
}

} // namespace ledger
