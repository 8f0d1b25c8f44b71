// The ticket ledger: the rules against real draws, the figures of hand-worked ledgers, the
// tickets command, and the file kept whole under two writers, a kill and damage.
#include "support/CliRun.h"
#include "support/TestHistory.h"

#include "ledger/Book.h"
#include "ledger/Ledger.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <array>

using namespace testing_support;
using ledger::BuyType;
using ledger::Status;

namespace {

constexpr auto S = BuyType::Straight;
constexpr auto B = BuyType::Box;
constexpr auto T = BuyType::Set;

const std::vector<history::DrawRecord>& realDraws() {
    static const auto draws = bundledHistory(); // draws 1 to 7054
    return draws;
}

ledger::Ticket ticket(int draw, const char* number, BuyType type, int units = 1) {
    return {0, draw, QString::fromLatin1(number), type, units, {}, ledger::Source::Hand};
}

// The exit code of the command line given as space-separated words.
int run(const QString& words) {
    return runCli(words.split(u' ')).code;
}

} // namespace

// Payouts of the real draws 7050 9929 (AAAB), 7052 5980 (ABCD), 7054 9577 (AABC), 6970 3003
// (AABB) and 6614 0000, whose box and set had no winners and pay 0.
TEST(LedgerRules, TicketsAgainstRealDraws) {
    const struct {
        ledger::Ticket ticket;
        Status status;
        long long prize;
        double expected; // units × (orders × payouts) / 10000, worked by hand
    } cases[] = {
        {ticket(7052, "5980", S), Status::Won, 1473700, 147.37},
        {ticket(7052, "0589", S), Status::Lost, 0, 147.37},
        {ticket(7052, "0589", B, 2), Status::Won, 2 * 61400, 2 * 24 * 6.14},
        {ticket(7054, "9577", T), Status::Won, 1152800, (1152800 + 11 * 88600) / 1e4},
        {ticket(7054, "7957", T), Status::Won, 88600, (1152800 + 11 * 88600) / 1e4},
        {ticket(7054, "7759", B, 3), Status::Won, 3 * 177300, 3 * 12 * 17.73},
        {ticket(7050, "2999", B), Status::Won, 291000, 4 * 29.1},
        {ticket(7050, "9992", T), Status::Won, 145500, (727500 + 3 * 145500) / 1e4},
        {ticket(6970, "0033", B), Status::Won, 146800, 6 * 14.68},
        {ticket(6970, "3030", T), Status::Won, 73400, (513800 + 5 * 73400) / 1e4},
        {ticket(6614, "0000", S), Status::Won, 211400, 21.14},
        {ticket(6614, "1234", B), Status::Lost, 0, 0},
        {ticket(7055, "1234", S), Status::Pending, 0, 0},
    };
    for (const auto& c : cases) {
        const auto rows = ledger::judgeAll({c.ticket}, realDraws());
        SCOPED_TRACE(&c - cases); // the row
        EXPECT_EQ(rows[0].outcome.status, c.status);
        EXPECT_EQ(rows[0].outcome.prizeYen, c.prize);
        EXPECT_NEAR(rows[0].expectedYen, c.expected, 1e-9);
    }
    // The box and set of AAAA, refused: RefusalsAddNothing.
    EXPECT_EQ(ledger::ticketProblem(ticket(7055, "1111", S)), QString());
}

// pAtLeast by hand. A: only 5980 in draw 7052 pays 1,535,100 or more, since its straight and
// box win together (chance 1/10000); tickets taken one by one would give about 5e-7.
// B: 7054's box alone (24/10000), or 7052's and 7053's boxes together, each exactly enough.
TEST(LedgerRules, SummariesOfHandWorkedLedgers) {
    const struct {
        std::vector<ledger::Ticket> tickets;
        std::array<long long, 7> counts; // tickets, units, cost, prize, balance, pending, its cost
        std::pair<double, double> chances; // the expected prize; the chance of at least the prize
        QStringList lines;                 // of draws 7052 to 7055, for the window
        QStringList news;                  // of the same draws, for the desktop notification
        QString headline;
    } cases[] = {
        {{ticket(7052, "5980", S), ticket(7052, "0589", B), ticket(7053, "1234", B),
          ticket(7055, "1234", S, 2)},
         {4, 5, 600, 1535100, 1534500, 1, 400},
         {147.37 + 147.36 + 216.96, 1e-4},
         {"第7052回: 2口中 2口当選 ¥1,535,100", "第7053回: 1口中 0口当選 ¥0",
          "第7055回: 2口 抽選待ち"},
         {"第7052回 5980: ストレート 5980 当選 ¥1,473,700、ボックス 0589 当選 ¥61,400 / 2口中 "
          "2口当選",
          "第7053回 9298: 1口中 0口当選", "第7054回 9577: 購入なし"},
         "第7052〜7055回の抽選結果: 当選 ¥1,535,100"},
        {{ticket(7052, "0589", B), ticket(7053, "2899", B), ticket(7054, "1234", B)},
         {3, 3, 600, 151800, 151200, 0, 0},
         {147.36 + 108.48 + 425.52, 0.0024 + 0.9976 * 0.0024 * 0.0012},
         {"第7052回: 1口中 1口当選 ¥61,400", "第7053回: 1口中 1口当選 ¥90,400",
          "第7054回: 1口中 0口当選 ¥0"},
         {"第7052回 5980: ボックス 0589 当選 ¥61,400 / 1口中 1口当選",
          "第7053回 9298: ボックス 2899 当選 ¥90,400 / 1口中 1口当選",
          "第7054回 9577: 1口中 0口当選"},
         "第7052〜7055回の抽選結果: 当選 ¥151,800"},
        {{ticket(7053, "1234", S, 2)},
         {1, 2, 400, 0, -400, 0, 0},
         {2 * 108.56, 1},
         {"第7053回: 2口中 0口当選 ¥0"},
         {"第7052回 5980: 購入なし", "第7053回 9298: 2口中 0口当選", "第7054回 9577: 購入なし"},
         "第7052〜7055回の抽選結果を取り込みました（当選なし）"},
    };
    for (const auto& c : cases) {
        const auto rows = ledger::judgeAll(c.tickets, realDraws());
        const ledger::Summary g = ledger::summarize(rows, realDraws());
        EXPECT_EQ((std::array<long long, 7>{g.tickets, g.units, g.cost, g.prize, g.balance,
                                            g.pending, g.pendingCost}),
                  c.counts);
        EXPECT_NEAR(g.expectedPrize, c.chances.first, 1e-9);
        EXPECT_NEAR(g.pAtLeast.probability, c.chances.second, 1e-15);
        EXPECT_TRUE(g.pAtLeast.exact);
        EXPECT_EQ(ledger::drawResultLines(rows, 7052, 7055), c.lines);
        const ledger::DrawNews news = ledger::drawNews(rows, realDraws(), 7052, 7055);
        EXPECT_EQ(news.lines, c.news);
        EXPECT_EQ(news.headline, c.headline);
    }
    // Past its budget of sums the convolution rounds up: an upper bound, and said to be one.
    const std::vector<std::vector<ledger::PrizeWays>> draws{
        {{0, 9976}, {61400, 24}}, {{0, 9988}, {90400, 12}}, {{0, 9976}, {177300, 24}}};
    const ledger::TailChance bound = ledger::chanceOfAtLeast(draws, 151800, 1);
    EXPECT_FALSE(bound.exact);
    EXPECT_GE(bound.probability, ledger::chanceOfAtLeast(draws, 151800).probability);
}

// Added while the draw is to come, resolved by the import that brings it; removed by id;
// exported and imported into another folder, the export reads back the same.
TEST(TicketsCommand, PendingResolvedExportedAndReadBack) {
    qtApp<QCoreApplication>(); // for Qt SQL's driver plugin
    Workspace ws;
    ws.writeHistoryRecords({realDraws().begin(), realDraws().end() - 1}); // 7054 to come
    ASSERT_EQ(run("tickets add --draw 7054 --type B 7759 1234"), 0);
    ASSERT_EQ(run("tickets add --draw 7054 --type S --units 2 9577"), 0);
    ASSERT_EQ(run("tickets add --draw 7052 --type T 0589"), 0);
    const auto list = [] { return runCli({"tickets", "list", "--csv"}).out; };
    EXPECT_TRUE(list().contains("3,7054,9577,S,2,400,pending,0\r\n"));
    ASSERT_EQ(run("import"), 0); // the bundled history, which holds draw 7054
    const QString resolved = "id,draw,number,type,units,cost,status,prize\r\n"
                             "4,7052,0589,T,1,200,won,30700\r\n"
                             "1,7054,7759,B,1,200,won,177300\r\n"
                             "2,7054,1234,B,1,200,lost,0\r\n"
                             "3,7054,9577,S,2,400,won,4256800\r\n";
    EXPECT_EQ(list(), resolved);

    ASSERT_EQ(runCli({"tickets", "export", ws.path("out.csv")}).code, 0);
    const QString other = ws.path("other");
    QDir().mkpath(other);
    QFile::copy(ws.path("number414.dat"), other + "/number414.dat");
    ASSERT_EQ(runCli({"--data-dir", other, "tickets", "import", ws.path("out.csv")}).code, 0);
    ASSERT_EQ(runCli({"--data-dir", other, "tickets", "export", ws.path("again.csv")}).code, 0);
    EXPECT_EQ(readFile(ws.path("again.csv")), resolved.toUtf8());
    EXPECT_EQ(runCli({"tickets", "import", ws.path("out.csv")}).code, 1); // its ids are taken

    EXPECT_EQ(run("tickets remove 2 9"), 2); // 9 is no ticket: none removed
    EXPECT_EQ(list(), resolved);
    ASSERT_EQ(run("tickets remove 2 4"), 0);
    EXPECT_EQ(list(), "id,draw,number,type,units,cost,status,prize\r\n"
                      "1,7054,7759,B,1,200,won,177300\r\n"
                      "3,7054,9577,S,2,400,won,4256800\r\n");
    const QJsonObject s =
        QJsonDocument::fromJson(runCli({"tickets", "summary", "--json"}).out.toUtf8()).object();
    EXPECT_EQ(s["balance"].toInteger(), 177300 + 4256800 - 600);
    EXPECT_NEAR(s["expectedPrize"].toDouble(), 12 * 17.73 + 2 * 212.84, 0.005);
}

// Refused command lines (exit 2) and import files (exit 1) add nothing.
TEST(TicketsCommand, RefusalsAddNothing) {
    qtApp<QCoreApplication>(); // for Qt SQL's driver plugin
    Workspace ws;
    ws.writeHistoryRecords({realDraws().begin(), realDraws().end() - 1}); // 7054 to come
    ASSERT_EQ(run("tickets add --draw 7054 --type S 1234"), 0);
    for (const char* args :
         {"add --draw 7054 --type B 5678 1111", "add --draw 7054 --type T 2222",
          "add --draw 7054 --type S 123", "add --draw 7054 --type S --units 11 1234",
          "add --draw 7054 --type X 1234", "add --type S 1234", "add --draw 50 --type S 1234",
          "list --json --csv", "summary --csv", "remove x"})
        EXPECT_EQ(run(QStringLiteral("tickets ") + args), 2) << args;
    const char* heading = "draw,number,type,units\r\n";
    for (const auto& [csv, where] : {std::pair{"7054,5678,B,1\r\n7054,1111,B,1\r\n", "3 行目"},
                                     {"7054,5678,B\r\n", "2 行目"},
                                     {"7054,567,B,1\r\n", "2 行目"},
                                     {"7054,5678,B,0\r\n", "2 行目"}}) {
        writeFile(ws.path("in.csv"), QByteArray(heading) + csv);
        const auto r = runCli({"tickets", "import", ws.path("in.csv")});
        EXPECT_EQ(r.code, 1) << csv;
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(where))) << r.err.toStdString();
    }
    writeFile(ws.path("in.csv"), "number,type\r\n5678,B\r\n");
    EXPECT_EQ(run("tickets import " + ws.path("in.csv")), 1);
    EXPECT_EQ(runCli({"tickets", "list", "--csv"}).out.count(u'\n'), 2); // the heading, one
}

// Two copies of the real program adding at once both keep their tickets, even while the
// first of them makes the file; a copy killed during an add leaves all of it or none.
TEST(LedgerFile, TwoWritersAndAKill) {
    qtApp<QCoreApplication>(); // for Qt SQL's driver plugin
    Workspace ws;
    for (int round = 0; round < 3; ++round) {
        const QString dir = ws.path(QStringLiteral("round%1").arg(round));
        QDir().mkpath(dir);
        QProcess a, b;
        for (QProcess* p : {&a, &b})
            p->start(TESSARIN_CLI, {"--data-dir", dir, "tickets", "add", "--draw", "7054", "--type",
                                    p == &a ? "S" : "B", "1234", "5678", "9012"});
        for (QProcess* p : {&a, &b}) {
            ASSERT_TRUE(p->waitForFinished(30000));
            EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().toStdString();
        }
        EXPECT_EQ(ledger::Ledger(dir + "/tickets.sqlite", false).tickets().size(), 6u);
    }

    // A long import, timed once whole, then killed at points through its run.
    QByteArray csv = "draw,number,type\r\n";
    constexpr int kLines = 40000;
    for (int n = 0; n < kLines; ++n)
        csv +=
            QByteArray("7054,") + QByteArray::number(n % 10000).rightJustified(4, '0') + ",S\r\n";
    writeFile(ws.path("big.csv"), csv);
    const QStringList import{"--data-dir", ws.path("round0"), "tickets", "import",
                             ws.path("big.csv")};
    const QString path = ws.path(QStringLiteral("round0/tickets.sqlite"));
    QElapsedTimer clock;
    clock.start();
    ASSERT_EQ(QProcess::execute(TESSARIN_CLI, import), 0);
    const qint64 wholeMs = clock.elapsed();
    std::size_t held = 6 + kLines;
    for (int tenths = 2; tenths <= 8; tenths += 2) {
        QProcess p;
        p.start(TESSARIN_CLI, import);
        ASSERT_TRUE(p.waitForStarted());
        QThread::msleep(static_cast<unsigned long>(wholeMs * tenths / 10));
        p.kill();
        p.waitForFinished();
        const std::size_t now = ledger::Ledger(path, false).tickets().size();
        EXPECT_TRUE(now == held || now == held + kLines) << tenths << "/10: " << now;
        held = now;
    }
}

// A file that is not a ledger, a torn one and one from a newer program are named and kept.
TEST(LedgerFile, DamagedFileIsReportedAndKept) {
    qtApp<QCoreApplication>(); // for Qt SQL's driver plugin
    Workspace ws;
    ASSERT_EQ(run("tickets add --draw 7054 --type S 1234"), 0);
    const QString path = ws.path("tickets.sqlite");
    const QByteArray sound = readFile(path);
    QByteArray newer = sound;
    newer[63] = 99; // user_version, the last byte of header bytes 60 to 63
    for (const QByteArray& bytes :
         {QByteArray("id,draw\r\n").repeated(500), sound.left(4096), newer}) {
        writeFile(path, bytes);
        for (const char* args : {"tickets list", "tickets add --draw 7054 --type S 5678"}) {
            const auto r = runCli(QString(args).split(u' '));
            EXPECT_EQ(r.code, 1) << args;
            EXPECT_TRUE(r.err.contains(QDir::toNativeSeparators(path))) << r.err.toStdString();
        }
        EXPECT_EQ(readFile(path), bytes);
    }
}
