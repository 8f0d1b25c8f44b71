#include "StrategiesCommand.h"

#include "Options.h"

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

using Settings = TallySettings;

QJsonObject entryJson(const simulate::StrategyEntry& e) {
    return {{QStringLiteral("pair"), e.pairName},     {QStringLiteral("narrow"), e.narrowName},
            {QStringLiteral("draws"), e.draws},       {QStringLiteral("boxes"), e.boxes},
            {QStringLiteral("cost"), e.costYen},      {QStringLiteral("hits"), e.hits},
            {QStringLiteral("payout"), e.payoutYen},  {QStringLiteral("ratio"), e.ratio},
            {QStringLiteral("pAtLeast"), e.pAtLeast}, {QStringLiteral("pAdjusted"), e.pAdjusted}};
}

QString chanceText(double p) {
    return QString::number(p, 'g', 6);
}

// 回数, 購入数, 購入額, 当たり, 配当 and 回収率 as every output writes them.
QStringList totalCells(const simulate::TallyTotals& t) {
    return {QString::number(t.draws),     QString::number(t.boxes),
            QString::number(t.costYen),   QString::number(t.hits),
            QString::number(t.payoutYen), ui::returnPercent(t.costYen, t.payoutYen)};
}

QStringList entryCells(const simulate::StrategyEntry& e) {
    return QStringList{e.pairName, e.narrowTitle} +
           totalCells({e.draws, e.boxes, e.costYen, e.hits, e.payoutYen}) +
           QStringList{chanceText(e.pAtLeast), chanceText(e.pAdjusted)};
}

QJsonObject walkJson(const simulate::WalkForward& w, const QStringList& pairNames,
                     const QStringList& narrowNames) {
    QJsonArray choices;
    for (const auto& c : w.choices)
        choices.append(QJsonObject{{QStringLiteral("draw"), c.drawNo},
                                   {QStringLiteral("pair"), pairNames.value(c.pair)},
                                   {QStringLiteral("narrow"), narrowNames.value(c.narrow)}});
    return {{QStringLiteral("window"), w.window},
            {QStringLiteral("draws"), w.totals.draws},
            {QStringLiteral("boxes"), w.totals.boxes},
            {QStringLiteral("cost"), w.totals.costYen},
            {QStringLiteral("payout"), w.totals.payoutYen},
            {QStringLiteral("ratio"), w.ratio},
            {QStringLiteral("expectedPayout"), w.baseline.expectedPayoutYen},
            {QStringLiteral("pAtLeast"), w.baseline.pAtLeast},
            {QStringLiteral("choices"), choices}};
}

// The walk-forward: its figures, then the setting played on each draw with what it cost and
// paid.
void printWalk(const simulate::WalkForward& w, const QStringList& pairNames,
               const QStringList& narrowNames, TallySettings::Format format, QTextStream& out) {
    const auto& t = w.totals;
    const QString chosen = QStringLiteral("毎回上位を選んだら（直前%1回）").arg(w.window);
    if (format == TallySettings::Format::Csv) {
        out << "draw,pair,narrow,boxes,cost,payout\r\n";
    } else {
        out << "\t回数\t購入数\t購入額\t当たり\t配当\t回収率\t偶然の配当\t偶然の確率" << Qt::endl;
        out << (QStringList{chosen} + totalCells(t) +
                QStringList{QString::number(w.baseline.expectedPayoutYen, 'f', 0),
                            chanceText(w.baseline.pAtLeast)})
                   .join(u'\t')
            << Qt::endl
            << Qt::endl
            << "回\t基本数値\t③絞り\t購入数\t購入額\t配当" << Qt::endl;
    }
    const QChar separator = format == TallySettings::Format::Csv ? u',' : u'\t';
    const char* end = format == TallySettings::Format::Csv ? "\r\n" : "\n";
    for (size_t k = 0; k < w.choices.size(); ++k) {
        const auto& c = w.choices[k];
        const auto& d = w.played[k];
        out << QStringList{QString::number(c.drawNo),    pairNames.value(c.pair),
                           narrowNames.value(c.narrow),  QString::number(d.boxes()),
                           QString::number(d.costYen()), QString::number(d.wonYen())}
                   .join(separator)
            << end;
    }
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
    options.append(
        {QStringLiteral("walk-forward"),
         QStringLiteral(
             "毎回、直前の W 回で一位の組み合わせを選んで買ったらどうなったかを集計する")});
    options.append({QStringLiteral("window"),
                    QStringLiteral("--walk-forward で順位を決める直前の回数（既定は 100）"),
                    QStringLiteral("W")});
    options.append({QStringLiteral("json"), QStringLiteral("JSON で出力する")});
    options.append({QStringLiteral("csv"), QStringLiteral("CSV で出力する")});
}

void StrategiesCommand::readOptions(const QCommandLineParser& parser) {
    settings_ = readTallyRange(parser);
    walkForward_ = parser.isSet(QStringLiteral("walk-forward"));
    if (parser.isSet(QStringLiteral("window")) && !walkForward_)
        throw UsageError{QStringLiteral("--window は --walk-forward と一緒に指定してください。")};
    walkWindow_ = intOption(parser, QStringLiteral("window"), 100, 1);
}

int StrategiesCommand::executeWithSession(Session& session, const QCommandLineParser& parser,
                                          QTextStream& out, QTextStream& err) {
    if (!applyTallyToSession(settings_, session, parser, err))
        return kFailed;
    auto& f = session.form;

    std::optional<simulate::StrategyStudy> study;
    std::atomic_bool stop{false};
    const int threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    session.host.runInBackground(
        [&] {
            const simulate::TallyProgress progress = [&](int done, int total) {
                session.host.reportProgress(done, total);
                return !stop;
            };
            if (walkForward_) {
                study = simulate::strategyStudy(f, threads, walkWindow_, progress);
            } else if (auto entries = simulate::strategyTable(f, threads, progress)) {
                study.emplace();
                study->entries = std::move(*entries);
            }
        },
        QStringLiteral("戦略表を集計中…"), stop);
    if (!study)
        return kFailed;
    const auto* table = &study->entries;

    if (walkForward_) {
        // JSON keeps the narrowings' codes; the text and CSV name them as their buttons do.
        const bool json = settings_.format == Settings::Format::Json;
        QStringList narrowNames;
        for (const auto* n : simulate::strategyNarrowings())
            narrowNames.append(json ? QString::fromLatin1(n->key) : simulate::actionTitle(f, *n));
        const QStringList& pairNames = f.Option2.captions;
        if (json)
            out << QJsonDocument(walkJson(study->walk, pairNames, narrowNames))
                       .toJson(QJsonDocument::Compact)
                << Qt::endl;
        else
            printWalk(study->walk, pairNames, narrowNames, settings_.format, out);
        out.flush();
        return kOk;
    }

    switch (settings_.format) {
    case Settings::Format::Json: {
        QJsonArray entries;
        for (const auto& e : *table)
            entries.append(entryJson(e));
        out << QJsonDocument(entries).toJson(QJsonDocument::Compact) << Qt::endl;
        break;
    }
    case Settings::Format::Csv:
        out << "pair,narrow,draws,boxes,cost,hits,payout,ratio,pAtLeast,pAdjusted\r\n";
        for (const auto& e : *table)
            out << entryCells(e).join(u',') << "\r\n";
        break;
    case Settings::Format::Table:
        out << "基本数値\t③絞り\t回数\t購入数\t購入額\t当たり\t配当\t回収率\t偶然の確率"
               "\t選んだ後の確率"
            << Qt::endl;
        for (const auto& e : *table)
            out << entryCells(e).join(u'\t') << Qt::endl;
        break;
    }
    out.flush();
    return kOk;
}

} // namespace cli
