#include "StrategiesCommand.h"

#include "PredictCommand.h"

#include "simulate/StrategyTable.h"
#include "ui/Numeric.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <atomic>
#include <optional>
#include <thread>

namespace cli {

namespace {

using Settings = VerifyCommand::Settings;

QJsonObject entryJson(const simulate::StrategyEntry& e) {
    return {{QStringLiteral("pair"), e.pairName},    {QStringLiteral("narrow"), e.narrowName},
            {QStringLiteral("draws"), e.draws},      {QStringLiteral("boxes"), e.boxes},
            {QStringLiteral("cost"), e.costYen},     {QStringLiteral("hits"), e.hits},
            {QStringLiteral("payout"), e.payoutYen}, {QStringLiteral("ratio"), e.ratio},
            {QStringLiteral("pAtLeast"), e.pAtLeast}};
}

QStringList entryCells(const simulate::StrategyEntry& e) {
    return {e.pairName,
            e.narrowTitle,
            QString::number(e.draws),
            QString::number(e.boxes),
            QString::number(e.costYen),
            QString::number(e.hits),
            QString::number(e.payoutYen),
            ui::returnPercent(e.costYen, e.payoutYen),
            QString::number(e.pAtLeast, 'g', 6)};
}

} // namespace

StrategiesCommand::StrategiesCommand()
    : SessionCommand(QStringLiteral("strategies"),
                     QStringLiteral("基本数値の組と③絞りのすべての組み合わせをシュミ集計し、"
                                    "配当/購入額の順に並べる")) {
    warnsOfOldHistory = true;
    options.append(
        {QStringLiteral("month"), QStringLiteral("集計する月"), QStringLiteral("YYYY-MM")});
    options.append({QStringLiteral("count"), QStringLiteral("集計する回数"), QStringLiteral("C")});
    options.append(
        drawOption(QStringLiteral("--count で、この回の前の C 回を集計する（既定は次回）")));
    options.append({QStringLiteral("all"), QStringLiteral("全期間を集計する")});
    // The sizes and switches of a tally; the pair and the narrowing are what the table varies.
    static const QStringList kept = {QStringLiteral("single-size"), QStringLiteral("double-size"),
                                     QStringLiteral("more"), QStringLiteral("cframe2")};
    for (const QCommandLineOption& o : predictionOptions())
        if (kept.contains(o.names().constFirst()))
            options.append(o);
    options.append({QStringLiteral("json"), QStringLiteral("JSON で出力する")});
    options.append({QStringLiteral("csv"), QStringLiteral("CSV で出力する")});
}

void StrategiesCommand::readOptions(const QCommandLineParser& parser) {
    settings_ = VerifyCommand::readRangeSettings(parser);
}

int StrategiesCommand::executeWithSession(Session& session, const QCommandLineParser& parser,
                                          QTextStream& out, QTextStream& err) {
    if (!VerifyCommand::applyToSession(settings_, session, parser, err))
        return kFailed;
    auto& f = session.form;

    std::optional<std::vector<simulate::StrategyEntry>> table;
    std::atomic_bool stop{false};
    const int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    session.host.runInBackground(
        [&] {
            table = simulate::strategyTable(f, threads, [&](int done, int total) {
                session.host.reportProgress(done, total);
                return !stop;
            });
        },
        QStringLiteral("戦略表を集計中…"), stop);
    if (!table)
        return kFailed;

    switch (settings_.format) {
    case Settings::Format::Json: {
        QJsonArray entries;
        for (const auto& e : *table)
            entries.append(entryJson(e));
        out << QJsonDocument(entries).toJson(QJsonDocument::Compact) << Qt::endl;
        break;
    }
    case Settings::Format::Csv:
        out << "pair,narrow,draws,boxes,cost,hits,payout,ratio,pAtLeast\r\n";
        for (const auto& e : *table)
            out << entryCells(e).join(u',') << "\r\n";
        break;
    case Settings::Format::Table:
        out << "基本数値\t③絞り\t回数\t購入数\t購入額\t当たり\t配当\t回収率\t偶然の確率"
            << Qt::endl;
        for (const auto& e : *table)
            out << entryCells(e).join(u'\t') << Qt::endl;
        break;
    }
    out.flush();
    return kOk;
}

} // namespace cli
