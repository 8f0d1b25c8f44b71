#include "Rules.h"

#include "predict/Analysis.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <unordered_map>

namespace ledger {

namespace {

bool fourDigits(QStringView number) {
    return number.size() == 4 && std::all_of(number.begin(), number.end(),
                                             [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QString sortedDigits(QStringView number) {
    QString s = number.toString();
    std::sort(s.begin(), s.end());
    return s;
}

// The names of an enumeration's values, in order: the name of a value and the value of a name.
using Names = std::array<const char16_t*, 3>;
const Names kTypeLetters{u"S", u"B", u"T"};
const Names kTypeNames{u"ストレート", u"ボックス", u"セット"};
const Names kSourceNames{u"card", u"hand", u"import"};
const Names kStatusNames{u"pending", u"won", u"lost"};
const Names kStatusCaptions{u"抽選待ち", u"当選", u"はずれ"};

template <typename E> QString nameOf(E value, const Names& names) {
    return QString::fromUtf16(names[static_cast<std::size_t>(value)]);
}

template <typename E> std::optional<E> valueOf(QStringView name, const Names& names) {
    for (std::size_t i = 0; i < names.size(); ++i)
        if (name == QStringView(names[i]))
            return static_cast<E>(i);
    return std::nullopt;
}

} // namespace

QString typeLetter(BuyType type) {
    return nameOf(type, kTypeLetters);
}

QString typeName(BuyType type) {
    return nameOf(type, kTypeNames);
}

std::optional<BuyType> typeFromLetter(QStringView letter) {
    return valueOf<BuyType>(letter, kTypeLetters);
}

QString sourceName(Source source) {
    return nameOf(source, kSourceNames);
}

std::optional<Source> sourceFromName(QStringView name) {
    return valueOf<Source>(name, kSourceNames);
}

QString statusName(Status status) {
    return nameOf(status, kStatusNames);
}

QString statusCaption(Status status) {
    return nameOf(status, kStatusCaptions);
}

int orderings(QStringView number) {
    std::map<QChar, int> counts;
    for (QChar c : number)
        ++counts[c];
    int n = 24; // 4!
    for (const auto& [digit, count] : counts)
        for (int k = 2; k <= count; ++k)
            n /= k;
    return n;
}

QString ticketProblem(const Ticket& t) {
    if (t.drawNo < predict::kFirstPredictableDraw)
        return QStringLiteral("第%1回は記録できません（第%2回から）。")
            .arg(t.drawNo)
            .arg(predict::kFirstPredictableDraw);
    if (!fourDigits(t.number))
        return QStringLiteral("数字「%1」は4桁の数字ではありません。").arg(t.number);
    if (t.units < 1 || t.units > kMaxUnits)
        return QStringLiteral("口数 %1 は 1 から %2 までです。").arg(t.units).arg(kMaxUnits);
    if (t.type != BuyType::Straight && orderings(t.number) == 1)
        return QStringLiteral("%1 は4桁とも同じ数字なので%2では買えません。")
            .arg(t.number,
                 t.type == BuyType::Box ? QStringLiteral("ボックス") : QStringLiteral("セット"));
    return {};
}

Outcome outcomeFor(const Ticket& t, QStringView winning, const std::array<int32_t, 4>& payout) {
    const bool exact = winning == t.number;
    const bool anyOrder = exact || sortedDigits(winning) == sortedDigits(t.number);
    int classIndex = -1;
    switch (t.type) {
    case BuyType::Straight:
        classIndex = exact ? 0 : -1;
        break;
    case BuyType::Box:
        classIndex = anyOrder ? 1 : -1;
        break;
    case BuyType::Set:
        classIndex = exact ? 2 : anyOrder ? 3 : -1;
        break;
    }
    if (classIndex < 0)
        return {Status::Lost, 0};
    return {Status::Won, static_cast<long long>(t.units) * payout[classIndex]};
}

Outcome judge(const Ticket& t, const history::DrawRecord* draw) {
    if (!draw)
        return {};
    return outcomeFor(t, draw->numberText(), draw->Payout);
}

double expectedPrize(const Ticket& t, const history::DrawRecord& draw) {
    const double orders = orderings(t.number);
    const auto& p = draw.Payout;
    double perUnit = 0;
    switch (t.type) {
    case BuyType::Straight:
        perUnit = p[0];
        break;
    case BuyType::Box:
        perUnit = orders * p[1];
        break;
    case BuyType::Set:
        perUnit = p[2] + (orders - 1) * p[3];
        break;
    }
    return t.units * perUnit / kNumbersPerDraw;
}

std::vector<PrizeWays> drawPrizeWays(std::span<const Ticket> tickets,
                                     const history::DrawRecord& draw) {
    // A ticket wins only under an order of its own digits, so each set of digits is looked at
    // with its own tickets; every other winning number pays nothing.
    std::map<QString, std::vector<const Ticket*>> byDigits;
    for (const Ticket& t : tickets)
        byDigits[sortedDigits(t.number)].push_back(&t);
    std::map<long long, int> byPrize;
    int paying = 0;
    for (const auto& [digits, group] : byDigits) {
        QString w = digits;
        do {
            long long total = 0;
            for (const Ticket* t : group)
                total += outcomeFor(*t, w, draw.Payout).prizeYen;
            if (total > 0) {
                ++byPrize[total];
                ++paying;
            }
        } while (std::next_permutation(w.begin(), w.end()));
    }
    std::vector<PrizeWays> ways{{0, kNumbersPerDraw - paying}};
    for (const auto& [prize, count] : byPrize)
        ways.push_back({prize, count});
    return ways;
}

TailChance chanceOfAtLeast(const std::vector<std::vector<PrizeWays>>& draws, long long thresholdYen,
                           std::size_t maxSums) {
    if (thresholdYen <= 0)
        return {};
    // The chance of every running total still below the threshold; what reaches it stays
    // there, since no prize is negative.
    std::unordered_map<long long, double> below{{0, 1.0}};
    double reached = 0;
    long long step = 1;
    const auto bucket = [&](long long sum) { return (sum + step - 1) / step * step; };
    for (const auto& ways : draws) {
        std::unordered_map<long long, double> next;
        next.reserve(below.size() * ways.size());
        for (const auto& [sum, p] : below)
            for (const PrizeWays& w : ways) {
                const double q = p * w.ways / kNumbersPerDraw;
                const long long total = bucket(sum + w.prizeYen);
                if (total >= thresholdYen)
                    reached += q;
                else
                    next[total] += q;
            }
        below = std::move(next);
        if (below.size() > maxSums) {
            const auto buckets = static_cast<long long>(maxSums);
            step = (thresholdYen + buckets - 1) / buckets;
            std::unordered_map<long long, double> coarse;
            for (const auto& [sum, p] : below) {
                const long long total = bucket(sum);
                if (total >= thresholdYen)
                    reached += p;
                else
                    coarse[total] += p;
            }
            below = std::move(coarse);
        }
    }
    return {std::clamp(reached, 0.0, 1.0), step == 1};
}

} // namespace ledger
