#pragma once

#include "TicketCsv.h"

#include "history/DrawRecord.h"

#include <QPointF>
#include <QString>
#include <QStringList>

#include <span>
#include <vector>

namespace ledger {

// The tickets judged against the history: what the list, the summary, the chart and the
// messages after new draws are made of. Nothing here is stored.

// Every draw of the history file in dataFolder, checked as the history is: a damaged one throws
// history::DamagedHistory, its message ending with `advice`. Element n - 1 is draw n. A
// missing file holds no draws.
std::vector<history::DrawRecord> readDraws(const QString& dataFolder, const QString& advice);

// Each ticket with its result and chance expectation, in the order given.
std::vector<Row> judgeAll(const std::vector<Ticket>& tickets,
                          std::span<const history::DrawRecord> draws);

// The ledger in figures, yen. cost, prize, balance and expectedPrize count the drawn tickets
// only; tickets and units count every ticket; pending and pendingCost the tickets whose draw
// is not in the history yet. pAtLeast is the chance that random winning numbers in the same
// draws pay at least `prize` to the same tickets (1 when prize is 0).
struct Summary {
    int tickets = 0;
    long long units = 0;
    long long cost = 0;
    long long prize = 0;
    long long balance = 0;
    int pending = 0;
    long long pendingCost = 0;
    double expectedPrize = 0;
    TailChance pAtLeast;
};
Summary summarize(const std::vector<Row>& rows, std::span<const history::DrawRecord> draws);

// 購入額, 当選金, 収支, 回収率 and 偶然なら on one line, as the window shows them.
QString summaryLine(const Summary& s);
// The chance as a percentage for people: "23%", "2.4%", "0.05%", "0.01% 未満"; an upper
// bound is marked "以下".
QString chanceText(const TailChance& chance);

// One line per draw from firstDraw to lastDraw that holds tickets, in draw order:
// "第7050回: 3口中 3口当選 ¥1,746,100" (units, units won, prize); a draw still pending says so.
QStringList drawResultLines(const std::vector<Row>& rows, int firstDraw, int lastDraw);
// The same for the ledger and the history of a data folder: what is said after new draws
// arrive. A folder without a ledger has no lines; a damaged ledger or history throws
// history::FileError (advice as for readDraws).
QStringList drawResultLines(const QString& dataFolder, int firstDraw, int lastDraw,
                            const QString& advice);

// What is told when draws arrive (the desktop notification of the weekday fetch): one line
// per draw from firstDraw to lastDraw that the history holds, in draw order, with its winning
// number and what the tickets bought for it won: "第7050回 9929: ストレート 9929 当選
// ¥1,164,100 / 1口中 1口当選", "第7051回 0123: 2口中 0口当選" or "第7052回 4567: 購入なし".
// headline names the draws and their prize in all, or says "第N回の抽選結果を取り込みました
// （当選なし）".
struct DrawNews {
    QStringList lines;
    long long prizeYen = 0;
    QString headline;
};
DrawNews drawNews(const std::vector<Row>& rows, std::span<const history::DrawRecord> draws,
                  int firstDraw, int lastDraw);
// The same for the ledger and the history of a data folder; throws as drawResultLines does.
DrawNews drawNews(const QString& dataFolder, int firstDraw, int lastDraw, const QString& advice);

// The last draw whose results were told (by a desktop notification or the window's message),
// kept in announced.txt of the data folder so that no draw is told twice; 0 before any was,
// and when the file cannot be read (telling a draw again is the lesser harm).
int lastAnnouncedDraw(const QString& dataFolder);
// Remembers that the draws up to drawNo were told; never moves back. Replaces the file whole
// under the folder's lock; throws history::FileError when it cannot.
void rememberAnnounced(const QString& dataFolder, int drawNo);

// The running balance (prize − cost) after each drawn draw, and the balance the chance
// expectation gives (expected prize − cost); x is the draw number, y yen.
struct BalanceCurves {
    std::vector<QPointF> balance;
    std::vector<QPointF> expected;
};
BalanceCurves balanceCurves(const std::vector<Row>& rows);

} // namespace ledger
