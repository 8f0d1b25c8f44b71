#include "Cli.h"
#include "support/HistoryGrid.h"
#include "support/TestHistory.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

struct Result {
    int code;
    QString out;
    QString err;
};

class VerifyCli : public ::testing::Test {
protected:
    VerifyCli() {
        // 5100 weekday draws from 2006/01/02: draw 5000 falls in 2025, the last in 2025/07.
        ws.writeHistory(
            testing_support::weekdayDraws(5100, QStringLiteral("2006/01/02"),
                                          {QStringLiteral("1234"), QStringLiteral("5678"),
                                           QStringLiteral("4321"), QStringLiteral("0012")}));
    }

    Result run(const QStringList& args) {
        QString out, err;
        QTextStream o(&out), e(&err);
        const int code = cli::run(args, o, e);
        o.flush();
        e.flush();
        return {code, out, err};
    }

    testing_support::Workspace ws;
};

TEST_F(VerifyCli, RefusesWhatCannotBeVerified) {
    const QStringList cases[] = {
        {"verify"},
        {"verify", "--count", "10", "--month", "2025-06"},
        {"verify", "--month", "2025-13"},
        {"verify", "--month", "June"},
        {"verify", "--month", "2025-09"}, // no draws yet
        {"verify", "--month", "2010-01"}, // before draw 5000
        {"verify", "--count", "5051"},    // draws 51..5100 are all there is
        {"verify", "--count", "0"},
        {"verify", "--count", "10", "--draw", "5102"},
        {"verify", "--count", "10", "--draw", "60"},
        {"verify", "--count", "10", "--narrow", "more"},
        {"verify", "--count", "10", "--whatif", "half"},
        {"verify", "--count", "10", "--pair", "AA"},
        {"verify", "--count", "10", "--json", "--csv"},
        {"back100", "--draw", "0"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(args.join(u' ').toStdString());
        const Result r = run(args);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.out, QString());
        EXPECT_EQ(r.err.count(u'\n'), 1) << r.err.toStdString();
    }
}

TEST_F(VerifyCli, CountRunAsJson) {
    const Result r =
        run({"verify", "--count", "50", "--draw", "151", "--whatif", "narrowed", "--json"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QJsonObject doc = QJsonDocument::fromJson(r.out.toUtf8()).object();
    EXPECT_EQ(doc.value("simRows").toInt(), 50);
    const QJsonArray rows = doc.value("rows").toArray();
    ASSERT_EQ(rows.size(), 52);
    for (const auto& row : rows)
        EXPECT_EQ(row.toArray().size(), 18);
    EXPECT_EQ(rows[0].toArray()[0].toString(), QStringLiteral("101"));
    EXPECT_EQ(rows[49].toArray()[0].toString(), QStringLiteral("150"));
    EXPECT_EQ(rows[51].toArray()[0].toString(), QStringLiteral("50件"));
    // The what-if bought both narrowed lists on every draw row.
    for (int k : {0, 25, 49}) {
        const QJsonArray row = rows[k].toArray();
        EXPECT_EQ(row[17].toString().toInt(),
                  (row[8].toString().toInt() + row[9].toString().toInt()) * 200);
    }
}

TEST_F(VerifyCli, MonthRunAsCsv) {
    const Result r = run({"verify", "--month", "2025-07", "--csv"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList lines = r.out.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines[0].split(u',')[2].startsWith(QStringLiteral("25/07/")));
    EXPECT_EQ(lines.last().split(u',')[0], QStringLiteral("%1件").arg(lines.size() - 2));
}

TEST_F(VerifyCli, Back100ListsSameBoxDraws) {
    // Numbers repeat every four draws: 1234 5678 4321 0012.
    const Result r = run({"back100", "--draw", "11"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    const QStringList want = {"回\t当数\t同ボックス\t間隔",
                              "1\t1234\t\t",
                              "2\t5678\t\t",
                              "3\t4321\t1\t1",
                              "4\t0012\t\t",
                              "5\t1234\t3\t1",
                              "6\t5678\t2\t3",
                              "7\t4321\t5\t1",
                              "8\t0012\t\t",
                              "9\t1234\t7\t1",
                              "10\t5678\t6\t3"};
    EXPECT_EQ(r.out.split(u'\n', Qt::SkipEmptyParts), want);
}

} // namespace
