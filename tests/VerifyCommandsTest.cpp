#include "support/CliRun.h"
#include "support/TestHistory.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

using Result = testing_support::CliRun;

// 5100 weekday draws of 1234 5678 4321 0012 in turn from 2006/01/02: draw 5000 falls in
// 2025, the last in 2025/07.
class VerifyCli : public ::testing::Test {
protected:
    VerifyCli() {
        ws.writeHistory(testing_support::weekdayDraws(5100, QStringLiteral("2006/01/02"),
                                                      {"1234", "5678", "4321", "0012"}));
    }

    // On the evening of draw 5100, when nothing is missing from the history.
    static Result run(const QStringList& args) {
        return testing_support::runCli(args, QDateTime(QDate(2025, 7, 18), QTime(23, 0)));
    }

    testing_support::Workspace ws;
};

TEST_F(VerifyCli, RefusesWhatCannotBeVerified) {
    const QStringList cases[] = {
        {"verify"},
        {"verify", "--count", "10", "--month", "2025-06"},
        {"verify", "--month", "2025-13"},
        {"verify", "--month", "2025-09"}, // no draws yet
        {"verify", "--month", "2005-12"}, // before the history
        {"verify", "--all", "--count", "10"},
        {"verify", "--all", "--draw", "100"},
        {"verify", "--count", "5051"}, // draws 51..5100 are all there is
        {"verify", "--count", "0"},
        {"verify", "--count", "10", "--draw", "5102"},
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

// The verification area's levels tally as the same sizes and tally narrowing by hand. The
// levels are read as predict reads them (every spelling: PredictCommandTest).
TEST_F(VerifyCli, LevelsTallyWhatTheStartChooses) {
    const std::pair<QStringList, QStringList> cases[] = {
        {{"--single-level", "弱い", "--double-level", "普通", "--r7", "on"},
         {"--single-size", "20", "--double-size", "100", "--narrow", "axis2"}},
        {{"--single-level", "普通", "--double-level", "普通", "--r7", "on", "--cframe"},
         {"--single-size", "100", "--double-size", "100", "--narrow", "cframe"}},
    };
    const QStringList base = {"verify", "--count", "12", "--json"};
    for (const auto& [levels, byHand] : cases) {
        SCOPED_TRACE(levels.join(u' ').toStdString());
        const Result want = run(base + byHand);
        ASSERT_EQ(want.code, 0) << want.err.toStdString();
        const Result got = run(base + levels);
        EXPECT_EQ(got.code, 0) << got.err.toStdString();
        EXPECT_EQ(got.out, want.out);
    }
}

TEST_F(VerifyCli, Back100ListsSameBoxDraws) {
    const Result r = run({"back100", "--draw", "8"});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(
        r.out.split(u'\n', Qt::SkipEmptyParts),
        QStringList({"回\t当数\t同ボックス\t間隔", "1\t1234\t\t", "2\t5678\t\t", "3\t4321\t1\t1",
                     "4\t0012\t\t", "5\t1234\t3\t1", "6\t5678\t2\t3", "7\t4321\t5\t1"}));
}

// A month long before draw 5000 with a what-if, and the whole history, whose rows are the
// tallies of their draws run alone and whose baseline covers them all.
TEST_F(VerifyCli, EarlyMonthAndWholeHistory) {
    const auto json = [this](const QStringList& args) {
        const Result r = run(args);
        EXPECT_EQ(r.code, 0) << r.err.toStdString();
        return QJsonDocument::fromJson(r.out.toUtf8()).object();
    };
    const QJsonArray month =
        json({"verify", "--month", "2010-01", "--whatif", "narrowed", "--json"})["rows"].toArray();
    ASSERT_EQ(month.size(), 21 + 2); // the weekdays of January 2010, rates and totals
    EXPECT_EQ(month[0].toArray()[2].toString(), QStringLiteral("10/01/01"));
    // No W・S prediction reaches back to 2010: no rate rather than a rate of 0%.
    EXPECT_EQ(month[21].toArray()[14].toString(), QString());
    for (int k = 0; k < 21; ++k) { // the what-if bought both narrowed lists
        const QJsonArray row = month[k].toArray();
        EXPECT_EQ(row[17].toString().toInt(),
                  (row[8].toString().toInt() + row[9].toString().toInt()) * 200);
    }

    const QJsonObject all = json({"verify", "--all", "--json", "--pair", "AB"});
    const QJsonArray rows = all.value("rows").toArray();
    ASSERT_EQ(all.value("simRows").toInt(), 5050);
    double expectedHits = 0; // a box in 210 is a given single, in 360 a given double
    int wsPredicted = 0, wsHits = 0;
    for (int k = 0; k < 5050; ++k) {
        const QJsonArray c = rows[k].toArray();
        const QString n = c[1].toString();
        expectedHits += QSet<QChar>(n.begin(), n.end()).size() == 4
                            ? c[8].toString().toInt() / 210.0
                            : c[9].toString().toInt() / 360.0;
        wsPredicted += !c[13].toString().isEmpty();
        wsHits += !c[14].toString().isEmpty();
    }
    // The W・S rate counts the draws that have a prediction, not all 5050.
    ASSERT_GT(wsPredicted, 100);
    EXPECT_EQ(rows[5050].toArray()[14].toString(),
              QStringLiteral("当率:%1%").arg(wsHits * 100 / wsPredicted));
    EXPECT_NEAR(all["baseline"]["expectedHits"].toDouble(), expectedHits, 1e-9);

    for (int draw : {51, 52, 2777, 5100}) {
        SCOPED_TRACE(draw);
        const QJsonObject alone = json({"verify", "--count", "1", "--draw",
                                        QString::number(draw + 1), "--json", "--pair", "AB"});
        const QJsonArray want = alone.value("rows").toArray()[0].toArray();
        const QJsonArray got = rows[draw - 51].toArray();
        for (int c = 0; c <= 14; ++c)
            EXPECT_EQ(got[c], want[c]) << "column " << c;
    }
}

} // namespace
