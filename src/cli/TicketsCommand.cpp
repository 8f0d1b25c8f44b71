#include "TicketsCommand.h"

#include "Session.h"

#include "history/DataFolder.h"
#include "ledger/Book.h"
#include "ledger/Ledger.h"
#include "ui/Numeric.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include <cmath>
#include <map>

namespace cli {

using ledger::Ledger;
using ledger::Row;
using ledger::Ticket;

namespace {

const QString kSynopsis = QStringLiteral(
    "使い方: tessarin-cli tickets add --draw N --type S|B|T [--units K] NUMBER... | "
    "list [--draw N] [--json | --csv] | summary [--json] | remove ID... | import FILE.csv | "
    "export FILE.csv");

// The options each subcommand takes, and how many words it wants after its name (-1: one or
// more).
struct Subcommand {
    QStringList options;
    int words;
};
const std::map<QString, Subcommand> kSubcommands = {
    {QStringLiteral("add"), {{"draw", "type", "units"}, -1}},
    {QStringLiteral("list"), {{"draw", "json", "csv"}, 0}},
    {QStringLiteral("summary"), {{"json"}, 0}},
    {QStringLiteral("remove"), {{}, -1}},
    {QStringLiteral("import"), {{}, 1}},
    {QStringLiteral("export"), {{}, 1}},
};

QString ledgerPath() {
    return QDir(history::dataFolder()).filePath(Ledger::fileName());
}

std::vector<Row> judgedTickets(std::vector<history::DrawRecord>& draws) {
    draws = ledger::readDraws(history::dataFolder(), historyAdvice());
    return ledger::judgeAll(Ledger(ledgerPath(), false).tickets(), draws);
}

void makeFolder() {
    const QString folder = history::dataFolder();
    if (!history::makeDataFolder(folder))
        throw history::FileError(QStringLiteral("データフォルダ %1 を作れません。")
                                     .arg(QDir::toNativeSeparators(folder)));
}

QString idList(const std::vector<long long>& ids) {
    QStringList texts;
    for (long long id : ids)
        texts.append(QString::number(id));
    return texts.join(QStringLiteral(", "));
}

int add(const QCommandLineParser& parser, const QStringList& numbers, QTextStream& out) {
    if (!parser.isSet(QStringLiteral("draw")) || !parser.isSet(QStringLiteral("type")))
        throw UsageError{QStringLiteral("tickets add には --draw と --type が要ります。")};
    Ticket base;
    base.drawNo = intOption(parser, QStringLiteral("draw"), 0);
    const auto type = ledger::typeFromLetter(parser.value(QStringLiteral("type")));
    if (!type)
        throw UsageError{QStringLiteral("--type には S, B, T のどれかを指定してください。")};
    base.type = *type;
    base.units = intOption(parser, QStringLiteral("units"), 1);
    std::vector<Ticket> tickets;
    for (const QString& n : numbers) {
        Ticket t = base;
        t.number = n;
        if (const QString problem = ledger::ticketProblem(t); !problem.isEmpty())
            throw UsageError{problem + QStringLiteral(" 何も記録していません。")};
        tickets.push_back(t);
    }
    makeFolder();
    const auto ids = Ledger(ledgerPath(), true).add(tickets);
    out << "第" << base.drawNo << "回の購入として " << ids.size() << " 件を記録しました（ID "
        << idList(ids) << "）。" << Qt::endl;
    return kOk;
}

QJsonObject rowJson(const Row& r) {
    const Ticket& t = r.ticket;
    return {{QStringLiteral("id"), t.id},
            {QStringLiteral("draw"), t.drawNo},
            {QStringLiteral("number"), t.number},
            {QStringLiteral("type"), ledger::typeLetter(t.type)},
            {QStringLiteral("units"), t.units},
            {QStringLiteral("cost"), t.costYen()},
            {QStringLiteral("status"), ledger::statusName(r.outcome.status)},
            {QStringLiteral("prize"), r.outcome.prizeYen}};
}

int list(const QCommandLineParser& parser, QTextStream& out) {
    const bool json = parser.isSet(QStringLiteral("json"));
    const bool csv = parser.isSet(QStringLiteral("csv"));
    if (json && csv)
        throw UsageError{QStringLiteral("--json と --csv は一緒に使えません。")};
    const bool oneDraw = parser.isSet(QStringLiteral("draw"));
    const int drawNo = intOption(parser, QStringLiteral("draw"), 0, 1);
    std::vector<history::DrawRecord> draws;
    std::vector<Row> rows = judgedTickets(draws);
    if (oneDraw)
        std::erase_if(rows, [&](const Row& r) { return r.ticket.drawNo != drawNo; });
    if (csv) {
        out << QString::fromUtf8(ledger::ticketCsv(rows));
    } else if (json) {
        QJsonArray all;
        for (const Row& r : rows)
            all.append(rowJson(r));
        out << QJsonDocument(all).toJson(QJsonDocument::Compact) << Qt::endl;
    } else {
        out << "ID\t回\t数字\t買方\t口数\t購入額\t状態\t当選金\n";
        for (const Row& r : rows) {
            const Ticket& t = r.ticket;
            out << t.id << '\t' << t.drawNo << '\t' << t.number << '\t'
                << ledger::typeLetter(t.type) << '\t' << t.units << '\t' << ui::yen(t.costYen())
                << '\t' << ledger::statusCaption(r.outcome.status) << '\t'
                << ui::yen(r.outcome.prizeYen) << '\n';
        }
        out.flush();
    }
    return kOk;
}

int summary(const QCommandLineParser& parser, QTextStream& out) {
    std::vector<history::DrawRecord> draws;
    const std::vector<Row> rows = judgedTickets(draws);
    const ledger::Summary s = ledger::summarize(rows, draws);
    if (parser.isSet(QStringLiteral("json"))) {
        const QJsonObject o{
            {QStringLiteral("tickets"), s.tickets},
            {QStringLiteral("units"), s.units},
            {QStringLiteral("cost"), s.cost},
            {QStringLiteral("prize"), s.prize},
            {QStringLiteral("balance"), s.balance},
            {QStringLiteral("pending"), s.pending},
            {QStringLiteral("pendingCost"), s.pendingCost},
            {QStringLiteral("expectedPrize"), std::round(s.expectedPrize * 100) / 100},
            {QStringLiteral("pAtLeast"), s.pAtLeast.probability},
            {QStringLiteral("pAtLeastExact"), s.pAtLeast.exact}};
        out << QJsonDocument(o).toJson(QJsonDocument::Compact) << Qt::endl;
        return kOk;
    }
    out << "購入記録: " << s.tickets << "件 " << s.units << "口" << Qt::endl
        << ledger::summaryLine(s) << Qt::endl;
    return kOk;
}

int remove(const QStringList& words, QTextStream& out, QTextStream& err) {
    std::vector<long long> ids;
    for (const QString& w : words) {
        bool ok = false;
        const long long id = w.toLongLong(&ok);
        if (!ok || id < 1)
            throw UsageError{QStringLiteral("ID「%1」は購入記録の ID ではありません。").arg(w)};
        ids.push_back(id);
    }
    const auto missing = Ledger(ledgerPath(), false).remove(ids);
    if (!missing.empty()) {
        err << "ID " << idList(missing) << " の購入記録はありません。何も削除していません。"
            << Qt::endl;
        return kUsage;
    }
    out << ids.size() << " 件を削除しました。" << Qt::endl;
    return kOk;
}

int importFile(const QString& name, QTextStream& out, QTextStream& err) {
    QFile file(QDir::current().absoluteFilePath(name));
    if (!file.open(QIODevice::ReadOnly)) {
        err << "ファイルを開けません: " << QDir::toNativeSeparators(file.fileName()) << Qt::endl;
        return kFailed;
    }
    const ledger::CsvRead read = ledger::readTicketCsv(file.readAll(), name);
    if (!read.error.isEmpty()) {
        err << read.error << " 何も記録していません。" << Qt::endl;
        return kFailed;
    }
    makeFolder();
    const auto ids = Ledger(ledgerPath(), true).add(read.tickets);
    out << name << " から " << ids.size() << " 件を記録しました。" << Qt::endl;
    return kOk;
}

int exportFile(const QString& name, QTextStream& out, QTextStream& err) {
    std::vector<history::DrawRecord> draws;
    const std::vector<Row> rows = judgedTickets(draws);
    QSaveFile file(QDir::current().absoluteFilePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(ledger::ticketCsv(rows)) < 0 ||
        !file.commit()) {
        err << "書き出せません: " << QDir::toNativeSeparators(file.fileName()) << "\n"
            << file.errorString() << Qt::endl;
        return kFailed;
    }
    out << rows.size() << " 件を " << name << " に書き出しました。" << Qt::endl;
    return kOk;
}

} // namespace

TicketsCommand::TicketsCommand()
    : Command(QStringLiteral("tickets"),
              QStringLiteral("購入記録: 買った数字を記録し、抽選結果と照らし合わせる")) {
    options.append({QStringLiteral("draw"),
                    QStringLiteral("add: 購入した回（第51回から）。list: この回だけを表示する"),
                    QStringLiteral("N")});
    options.append({QStringLiteral("type"),
                    QStringLiteral("add: 買方 S（ストレート）、B（ボックス）、T（セット）"),
                    QStringLiteral("S|B|T")});
    options.append({QStringLiteral("units"),
                    QStringLiteral("add: 1つの数字あたりの口数 1〜10（既定 1）"),
                    QStringLiteral("K")});
    options.append(
        {QStringLiteral("json"),
         QStringLiteral("list, summary: JSON で表示する。pAtLeast は偶然この当選金以上になる確率"
                        "（回ごとの当選金の分布の畳み込み。pAtLeastExact が false なら上限）")});
    options.append(
        {QStringLiteral("csv"), QStringLiteral("list: CSV で表示する（export と同じ形）")});
    positionals.append({QStringLiteral("SUBCOMMAND"),
                        QStringLiteral("add, list, summary, remove, import, export"),
                        QStringLiteral("add|list|summary|remove|import|export")});
    positionals.append(
        {QStringLiteral("ARGS"),
         QStringLiteral("add: 4桁の数字、remove: ID、import と export: CSV ファイル"),
         QStringLiteral("[ARGS...]")});
    lastTakesMany = true;
}

int TicketsCommand::execute(const QCommandLineParser& parser, QTextStream& out, QTextStream& err) {
    QStringList words = parser.positionalArguments();
    const auto sub = kSubcommands.find(words.isEmpty() ? QString() : words.takeFirst());
    if (sub == kSubcommands.end())
        throw UsageError{kSynopsis};
    for (const char* option : {"draw", "type", "units", "json", "csv"})
        if (parser.isSet(option) && !sub->second.options.contains(option))
            throw UsageError{QStringLiteral("tickets %1 では --%2 は使えません。")
                                 .arg(sub->first, QLatin1StringView(option))};
    const int wanted = sub->second.words;
    if ((wanted < 0 && words.isEmpty()) || (wanted >= 0 && words.size() != wanted))
        throw UsageError{kSynopsis};

    const QString& chosen = sub->first;
    if (chosen == u"add")
        return add(parser, words, out);
    if (chosen == u"list")
        return list(parser, out);
    if (chosen == u"summary")
        return summary(parser, out);
    if (chosen == u"remove")
        return remove(words, out, err);
    if (chosen == u"import")
        return importFile(words[0], out, err);
    return exportFile(words[0], out, err);
}

} // namespace cli
