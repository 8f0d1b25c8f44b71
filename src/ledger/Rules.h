#pragma once

#include "history/DrawRecord.h"

#include <QDateTime>
#include <QString>
#include <QStringView>

#include <optional>
#include <span>
#include <vector>

namespace ledger {

// How a ticket is bought. The value is the index of the payout a straight hit of it earns
// in DrawRecord::Payout (a set's box part is index 3).
enum class BuyType { Straight = 0, Box = 1, Set = 2 };
QString typeLetter(BuyType type); // "S", "B", "T"
QString typeName(BuyType type);   // "ストレート", "ボックス", "セット"
std::optional<BuyType> typeFromLetter(QStringView letter);

// Where a ticket came from: a card print, a hand entry or an imported CSV file.
enum class Source { CardPrint, Hand, Import };
QString sourceName(Source source); // "card", "hand", "import", as stored
std::optional<Source> sourceFromName(QStringView name);

constexpr long long kUnitPriceYen = 200; // one 口
constexpr int kMaxUnits = 10;
constexpr int kNumbersPerDraw = 10000; // 0000 to 9999, each as likely

struct Ticket {
    long long id = 0; // 0 until stored
    int drawNo = 0;
    QString number; // four digits
    BuyType type = BuyType::Straight;
    int units = 1;
    QDateTime addedAt; // UTC
    Source source = Source::Hand;

    long long costYen() const { return units * kUnitPriceYen; }
    bool operator==(const Ticket&) const = default;
};

// How many different orders the digits of a four-digit number have: 24 (ABCD), 12 (AABC),
// 6 (AABB), 4 (AAAB) or 1 (AAAA).
int orderings(QStringView number);

// Why the ticket cannot be bought, or empty when it can: a draw before the first predictable
// one, a number that is not exactly four digits, units outside 1 to 10, or a box or set of
// four equal digits (only one order, so the lottery does not sell it).
QString ticketProblem(const Ticket& ticket);

enum class Status { Pending, Won, Lost };
QString statusName(Status status);    // "pending", "won", "lost"
QString statusCaption(Status status); // as the window shows it

struct Outcome {
    Status status = Status::Pending;
    long long prizeYen = 0; // units × the payout of the class hit; 0 unless won
};

// The ticket had `winning` been drawn with the given payouts per 口 (DrawRecord::Payout):
// S equal; B the same digits in any order; T equal (straight part) or the same digits in
// another order (box part). Won or lost, never pending.
Outcome outcomeFor(const Ticket& ticket, QStringView winning, const std::array<int32_t, 4>& payout);

// The ticket against its draw: pending while the draw is not in the history (nullptr).
Outcome judge(const Ticket& ticket, const history::DrawRecord* draw);

// What the ticket wins on average when the draw's payouts stand and its number is drawn at
// random, in yen: S Payout(0), B orders × Payout(1), T Payout(2) + (orders − 1) × Payout(3),
// each over 10000 and times the units.
double expectedPrize(const Ticket& ticket, const history::DrawRecord& draw);

// The prizes the tickets of one draw win together under each possible winning number, as
// prize and the count of winning numbers (of 10000) giving it; the counts add up to 10000.
// Tickets of one draw are judged together because one winning number decides all of them.
struct PrizeWays {
    long long prizeYen = 0;
    int ways = 0;
    bool operator==(const PrizeWays&) const = default;
};
std::vector<PrizeWays> drawPrizeWays(std::span<const Ticket> tickets,
                                     const history::DrawRecord& draw);

// The chance that the draws, each independent and drawn at random, pay at least
// thresholdYen in all: the exact convolution of their prize distributions, sums at or above
// the threshold counted once they get there. When the distinct sums below the threshold
// outgrow maxSums, later sums are rounded up to a coarser step, which makes the result an
// upper bound (exact false).
struct TailChance {
    double probability = 1;
    bool exact = true;
};
constexpr std::size_t kExactSums = 200000;
TailChance chanceOfAtLeast(const std::vector<std::vector<PrizeWays>>& draws, long long thresholdYen,
                           std::size_t maxSums = kExactSums);

} // namespace ledger
