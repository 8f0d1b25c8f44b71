#include "Book.h"
#include "Ledger.h"

#include "history/DataFolder.h"
#include "history/FolderLock.h"
#include "history/HistoryFiles.h"
#include "ui/Numeric.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>

namespace ledger {

std::vector<history::DrawRecord> readDraws(const QString& dataFolder, const QString& advice) {
    const QString historyPath = QDir(dataFolder).filePath(history::historyFileName());
    std::vector<history::DrawRecord> draws;
    QFile file(historyPath);
    if (!file.exists())
        return draws;
    if (!file.open(QIODevice::ReadOnly))
        throw history::FileError(
            QStringLiteral("ファイルを開けません: %1\n%2")
                .arg(QDir::toNativeSeparators(historyPath), file.errorString()));
    const QByteArray bytes = file.readAll();
    const int count = history::checkHistoryBytes(bytes, QFileInfo(historyPath).fileName(), advice);
    draws.reserve(static_cast<std::size_t>(count));
    for (int n = 0; n < count; ++n)
        draws.push_back(history::DrawRecord::decode(QByteArray::fromRawData(
            bytes.constData() + n * history::DrawRecord::kSize, history::DrawRecord::kSize)));
    return draws;
}

namespace {

const history::DrawRecord* drawOf(int drawNo, std::span<const history::DrawRecord> draws) {
    if (drawNo < 1 || static_cast<std::size_t>(drawNo) > draws.size())
        return nullptr;
    return &draws[static_cast<std::size_t>(drawNo) - 1];
}

} // namespace

std::vector<Row> judgeAll(const std::vector<Ticket>& tickets,
                          std::span<const history::DrawRecord> draws) {
    std::vector<Row> rows;
    rows.reserve(tickets.size());
    for (const Ticket& t : tickets) {
        const history::DrawRecord* draw = drawOf(t.drawNo, draws);
        rows.push_back({t, judge(t, draw), draw ? expectedPrize(t, *draw) : 0.0});
    }
    return rows;
}

Summary summarize(const std::vector<Row>& rows, std::span<const history::DrawRecord> draws) {
    Summary s;
    std::map<int, std::vector<Ticket>> drawn;
    for (const Row& r : rows) {
        ++s.tickets;
        s.units += r.ticket.units;
        if (r.outcome.status == Status::Pending) {
            ++s.pending;
            s.pendingCost += r.ticket.costYen();
            continue;
        }
        s.cost += r.ticket.costYen();
        s.prize += r.outcome.prizeYen;
        s.expectedPrize += r.expectedYen;
        drawn[r.ticket.drawNo].push_back(r.ticket);
    }
    s.balance = s.prize - s.cost;
    std::vector<std::vector<PrizeWays>> chances;
    for (const auto& [drawNo, tickets] : drawn)
        chances.push_back(drawPrizeWays(tickets, *drawOf(drawNo, draws)));
    s.pAtLeast = chanceOfAtLeast(chances, s.prize);
    return s;
}

QString chanceText(const TailChance& chance) {
    const double percent = chance.probability * 100;
    QString text;
    if (percent >= 10)
        text = QString::number(std::lround(percent)) + QStringLiteral("%");
    else if (percent >= 1)
        text = QString::number(percent, 'f', 1) + QStringLiteral("%");
    else if (percent >= 0.01)
        text = QString::number(percent, 'f', 2) + QStringLiteral("%");
    else
        text = QStringLiteral("0.01% 未満");
    return chance.exact ? text : text + QStringLiteral(" 以下");
}

QString summaryLine(const Summary& s) {
    const QString rate = ui::returnPercent(s.cost, s.prize);
    QString line = QStringLiteral("購入額 %1　当選金 %2　収支 %3　回収率 %4　偶然なら: 当選金 %5, "
                                  "これ以上の確率 %6")
                       .arg(ui::yen(s.cost), ui::yen(s.prize), ui::yen(s.balance, true), rate,
                            ui::yen(std::llround(s.expectedPrize)), chanceText(s.pAtLeast));
    if (s.pending > 0)
        line += QStringLiteral("　（抽選待ち %1件 %2）").arg(s.pending).arg(ui::yen(s.pendingCost));
    return line;
}

QStringList drawResultLines(const std::vector<Row>& rows, int firstDraw, int lastDraw) {
    struct DrawTotals {
        long long units = 0, wonUnits = 0, prize = 0;
        bool pending = false;
    };
    std::map<int, DrawTotals> byDraw;
    for (const Row& r : rows) {
        if (r.ticket.drawNo < firstDraw || r.ticket.drawNo > lastDraw)
            continue;
        DrawTotals& d = byDraw[r.ticket.drawNo];
        d.units += r.ticket.units;
        d.pending = r.outcome.status == Status::Pending;
        if (r.outcome.status == Status::Won) {
            d.wonUnits += r.ticket.units;
            d.prize += r.outcome.prizeYen;
        }
    }
    QStringList lines;
    for (const auto& [drawNo, d] : byDraw)
        lines.append(d.pending ? QStringLiteral("第%1回: %2口 抽選待ち").arg(drawNo).arg(d.units)
                               : QStringLiteral("第%1回: %2口中 %3口当選 %4")
                                     .arg(drawNo)
                                     .arg(d.units)
                                     .arg(d.wonUnits)
                                     .arg(ui::yen(d.prize)));
    return lines;
}

namespace {

// The tickets of the folder's ledger for draws firstDraw to lastDraw.
std::vector<Ticket> ticketsFor(const QString& dataFolder, int firstDraw, int lastDraw) {
    std::vector<Ticket> tickets =
        Ledger(QDir(dataFolder).filePath(Ledger::fileName()), false).tickets();
    std::erase_if(tickets,
                  [&](const Ticket& t) { return t.drawNo < firstDraw || t.drawNo > lastDraw; });
    return tickets;
}

} // namespace

QStringList drawResultLines(const QString& dataFolder, int firstDraw, int lastDraw,
                            const QString& advice) {
    const std::vector<Ticket> tickets = ticketsFor(dataFolder, firstDraw, lastDraw);
    if (tickets.empty())
        return {};
    return drawResultLines(judgeAll(tickets, readDraws(dataFolder, advice)), firstDraw, lastDraw);
}

DrawNews drawNews(const std::vector<Row>& rows, std::span<const history::DrawRecord> draws,
                  int firstDraw, int lastDraw) {
    DrawNews news;
    for (int drawNo = firstDraw; drawNo <= lastDraw; ++drawNo) {
        const history::DrawRecord* draw = drawOf(drawNo, draws);
        if (!draw)
            continue;
        long long units = 0, wonUnits = 0;
        QStringList won;
        for (const Row& r : rows) {
            if (r.ticket.drawNo != drawNo)
                continue;
            units += r.ticket.units;
            if (r.outcome.status != Status::Won)
                continue;
            wonUnits += r.ticket.units;
            news.prizeYen += r.outcome.prizeYen;
            const QString times =
                r.ticket.units > 1 ? QStringLiteral(" ×%1口").arg(r.ticket.units) : QString();
            won.append(QStringLiteral("%1 %2%3 当選 %4")
                           .arg(typeName(r.ticket.type), r.ticket.number, times,
                                ui::yen(r.outcome.prizeYen)));
        }
        QString result = QStringLiteral("購入なし");
        if (units > 0) {
            result = QStringLiteral("%1口中 %2口当選").arg(units).arg(wonUnits);
            if (!won.isEmpty())
                result = won.join(QStringLiteral("、")) + QStringLiteral(" / ") + result;
        }
        news.lines.append(
            QStringLiteral("第%1回 %2: %3").arg(drawNo).arg(draw->numberText(), result));
    }
    const QString which = firstDraw == lastDraw
                              ? QStringLiteral("第%1回").arg(firstDraw)
                              : QStringLiteral("第%1〜%2回").arg(firstDraw).arg(lastDraw);
    news.headline = news.prizeYen > 0
                        ? QStringLiteral("%1の抽選結果: 当選 %2").arg(which, ui::yen(news.prizeYen))
                        : QStringLiteral("%1の抽選結果を取り込みました（当選なし）").arg(which);
    return news;
}

DrawNews drawNews(const QString& dataFolder, int firstDraw, int lastDraw, const QString& advice) {
    const auto draws = readDraws(dataFolder, advice);
    return drawNews(judgeAll(ticketsFor(dataFolder, firstDraw, lastDraw), draws), draws, firstDraw,
                    lastDraw);
}

namespace {

QString announcedPath(const QString& dataFolder) {
    return QDir(dataFolder).filePath(QStringLiteral("announced.txt"));
}

} // namespace

int lastAnnouncedDraw(const QString& dataFolder) {
    QFile file(announcedPath(dataFolder));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const long long drawNo = ui::leadingInt(QString::fromLatin1(file.read(32)));
    return static_cast<int>(std::clamp<long long>(drawNo, 0, INT_MAX));
}

void rememberAnnounced(const QString& dataFolder, int drawNo) {
    const history::FolderLock lock(dataFolder);
    if (drawNo <= lastAnnouncedDraw(dataFolder))
        return;
    const QString path = announcedPath(dataFolder);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QByteArray::number(drawNo) + "\r\n") < 0 ||
        !file.commit())
        throw history::FileError(QStringLiteral("%1 に書き込めません。\n%2")
                                     .arg(QDir::toNativeSeparators(path), file.errorString()));
}

BalanceCurves balanceCurves(const std::vector<Row>& rows) {
    std::map<int, std::pair<double, double>> byDraw; // balance and expected balance
    for (const Row& r : rows) {
        if (r.outcome.status == Status::Pending)
            continue;
        auto& [balance, expected] = byDraw[r.ticket.drawNo];
        const auto cost = static_cast<double>(r.ticket.costYen());
        balance += static_cast<double>(r.outcome.prizeYen) - cost;
        expected += r.expectedYen - cost;
    }
    BalanceCurves curves;
    double balance = 0, expected = 0;
    for (const auto& [drawNo, change] : byDraw) {
        balance += change.first;
        expected += change.second;
        curves.balance.emplace_back(drawNo, balance);
        curves.expected.emplace_back(drawNo, expected);
    }
    return curves;
}

} // namespace ledger
