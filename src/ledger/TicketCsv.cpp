#include "TicketCsv.h"

#include <QStringList>

#include <set>

namespace ledger {

namespace {

const QStringList kColumns{QStringLiteral("id"),     QStringLiteral("draw"),
                           QStringLiteral("number"), QStringLiteral("type"),
                           QStringLiteral("units"),  QStringLiteral("cost"),
                           QStringLiteral("status"), QStringLiteral("prize")};

QString unquoted(QStringView field) {
    field = field.trimmed();
    if (field.size() >= 2 && field.front() == u'"' && field.back() == u'"')
        field = field.mid(1, field.size() - 2);
    return field.toString();
}

// A whole number of plain digits (no sign, no blanks), or nullopt.
std::optional<int> plainInt(const QString& text) {
    if (text.isEmpty() || text.size() > 9)
        return std::nullopt;
    for (QChar c : text)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    return text.toInt();
}

} // namespace

QByteArray ticketCsv(const std::vector<Row>& rows) {
    QString text = kColumns.join(u',') + QStringLiteral("\r\n");
    for (const Row& r : rows) {
        const Ticket& t = r.ticket;
        text += QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8\r\n")
                    .arg(t.id > 0 ? QString::number(t.id) : QString()) // not stored yet
                    .arg(t.drawNo)
                    .arg(t.number, typeLetter(t.type))
                    .arg(t.units)
                    .arg(t.costYen())
                    .arg(statusName(r.outcome.status))
                    .arg(r.outcome.prizeYen);
    }
    return text.toUtf8();
}

CsvRead readTicketCsv(const QByteArray& bytes, const QString& fileName) {
    CsvRead result;
    const auto refuse = [&](qsizetype line, const QString& why) {
        result.tickets.clear();
        result.error = line > 0
                           ? QStringLiteral("%1 の %2 行目: %3").arg(fileName).arg(line).arg(why)
                           : QStringLiteral("%1: %2").arg(fileName, why);
        return result;
    };
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF))) // the mark some spreadsheets put first
        text.remove(0, 1);
    const QStringList lines = text.split(u'\n');

    qsizetype headingLine = 0;
    QStringList heading;
    std::array<qsizetype, 5> at{-1, -1, -1, -1, -1}; // id, draw, number, type, units
    std::set<long long> ids;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        const QStringList fields = line.split(u',');
        if (headingLine == 0) {
            headingLine = i + 1;
            for (const QString& f : fields)
                heading.append(unquoted(f).toLower());
            for (int k = 0; k < 5; ++k)
                at[k] = heading.indexOf(kColumns[k]);
            if (at[1] < 0 || at[2] < 0 || at[3] < 0)
                return refuse(headingLine, QStringLiteral("見出しの行に draw, number, type "
                                                          "の列がありません。"));
            continue;
        }
        if (fields.size() != heading.size())
            return refuse(i + 1, QStringLiteral("項目の数が見出しと違います（%1 / %2）。")
                                     .arg(fields.size())
                                     .arg(heading.size()));
        Ticket t;
        t.source = Source::Import;
        if (const QString id = at[0] >= 0 ? unquoted(fields[at[0]]) : QString(); !id.isEmpty()) {
            const auto value = plainInt(id);
            if (!value || *value < 1)
                return refuse(i + 1, QStringLiteral("ID「%1」が数ではありません。").arg(id));
            if (!ids.insert(*value).second)
                return refuse(i + 1, QStringLiteral("ID %1 が2度あります。").arg(*value));
            t.id = *value;
        }
        const QString draw = unquoted(fields[at[1]]);
        const auto drawNo = plainInt(draw);
        if (!drawNo)
            return refuse(i + 1, QStringLiteral("回「%1」が数ではありません。").arg(draw));
        t.drawNo = *drawNo;
        t.number = unquoted(fields[at[2]]);
        const QString type = unquoted(fields[at[3]]);
        const auto buyType = typeFromLetter(type);
        if (!buyType)
            return refuse(i + 1,
                          QStringLiteral("買方「%1」は S, B, T のどれでもありません。").arg(type));
        t.type = *buyType;
        if (at[4] >= 0) {
            const QString units = unquoted(fields[at[4]]);
            const auto count = plainInt(units);
            if (!count)
                return refuse(i + 1, QStringLiteral("口数「%1」が数ではありません。").arg(units));
            t.units = *count;
        }
        if (const QString problem = ticketProblem(t); !problem.isEmpty())
            return refuse(i + 1, problem);
        result.tickets.push_back(t);
    }
    if (headingLine == 0)
        return refuse(0, QStringLiteral("見出しの行がありません。"));
    if (result.tickets.empty())
        return refuse(0, QStringLiteral("購入記録の行がありません。"));
    return result;
}

} // namespace ledger
