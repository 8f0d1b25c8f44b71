// The command line, run in-process with captured streams.
#include "support/CliRun.h"
#include "support/TestHistory.h"

#include "Cli.h"
#include "Session.h"

#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace testing_support;

TEST(CliTest, ImportThenSummaryAndHistory) {
    Workspace ws;
    CliRun r = runCli({s(u"import"), s(u"results.csv")});
    EXPECT_EQ(r.code, 1); // not there yet
    EXPECT_TRUE(r.err.contains(s(u"results.csv"))) << r.err.toStdString();
    testing_support::writeFile(
        ws.path(s(u"results.csv")),
        "2,2026/08/21,9298,,1,,90400,,3,,4,\r\n1,2026/08/20,9577,,1,,177300,,3,,4,\r\n");
    r = runCli({s(u"import"), s(u"results.csv")});
    ASSERT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.err.contains(s(u"生成終了しました。")));

    r = runCli({});
    EXPECT_EQ(r.code, 0);
    EXPECT_TRUE(r.out.contains(s(u"次回: 第3回 2026/08/24"))) << r.out.toStdString();
    EXPECT_TRUE(r.out.contains(s(u"記録数: 2")));

    r = runCli({s(u"history"), s(u"--last"), s(u"1")});
    EXPECT_EQ(r.code, 0);
    const QStringList lines = r.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[1], s(u"2\t9298\tW\t90400\t2026/08/21"));
}

// A history that is behind is told on stderr; stdout keeps only what was asked for.
TEST(CliTest, OldHistoryIsToldOnStderr) {
    Workspace ws;
    ws.writeHistoryRecords(bundledHistory());
    const QString notice = s(u"抽選履歴は第7054回（2026/08/21）までです。抽選結果ダウンロードで最新"
                             u"にしてください。\n");
    // A global option is taken by every command, before or after its name, and ignored
    // where it does not apply.
    for (const char16_t* line : {u"summary --results-url http://127.0.0.1:9",
                                 u"--results-url http://127.0.0.1:9 predict --json",
                                 u"verify --count 2 --csv", u"strategies --count 2 --json"}) {
        for (const QDate day : {QDate(2026, 12, 7), QDate(2026, 8, 24)}) { // behind, current
            const CliRun r = runCli(s(line).split(u' '), QDateTime(day, QTime(9, 0)));
            EXPECT_EQ(r.code, 0);
            EXPECT_EQ(r.err, day.month() == 12 ? notice : QString()) << s(line).toStdString();
            EXPECT_FALSE(r.out.contains(s(u"抽選履歴"))) << r.out.toStdString();
        }
    }
}

TEST(CliTest, UsageErrorsExitWithTwoAndOneLineOnStderr) {
    Workspace ws;
    for (const char16_t* line :
         {u"frobnicate", u"history --last", u"history --last x", u"history --last -1",
          u"history --bogus", u"import a b", u"--bogus", u"--results-url", u"fetch", u"fetch 0",
          u"help frobnicate", u"predict --xlsx=", u"predict --json=1", u"--data-dir",
          u"schedule sometimes"}) {
        const CliRun r = runCli(s(line).split(u' '));
        EXPECT_EQ(r.code, 2) << s(line).toStdString();
        EXPECT_EQ(r.out, QString()) << s(line).toStdString();
        EXPECT_EQ(r.err.count(u'\n'), 1) << r.err.toStdString();
        // Said in Japanese, the parser's own English included.
        static const QRegularExpression japanese(QStringLiteral("[\\x{3040}-\\x{30ff}]"));
        EXPECT_TRUE(r.err.contains(japanese)) << r.err.toStdString();
    }
}

// Each command's help comes from its own options (one of them named here), with or without
// the history.
TEST(CliTest, EveryCommandAnswersHelp) {
    Workspace ws;
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"summary", u"-h, --help"},       {u"import", u"FILE"},
        {u"history", u"--last <N>"},       {u"predict", u"--pair <PAIR>"},
        {u"verify", u"--month <YYYY-MM>"}, {u"back100", u"--draw <N>"},
        {u"update", u"--notify"},          {u"schedule", u"[on|off|status]"},
        {u"fetch", u"--append"},
    };
    for (const auto& [name, mention] : cases) {
        const QString command = s(name);
        for (const QString& flag : {s(u"--help"), s(u"-h")}) {
            const CliRun r = runCli({command, flag});
            EXPECT_EQ(r.code, 0) << command.toStdString();
            EXPECT_EQ(r.err, QString());
            EXPECT_TRUE(r.out.startsWith(s(u"使い方: tessarin-cli ") + command + u' '))
                << r.out.toStdString();
            EXPECT_TRUE(r.out.contains(s(mention))) << r.out.toStdString();
            EXPECT_EQ(runCli({s(u"help"), command}).out, r.out);
        }
        EXPECT_TRUE(runCli({s(u"--help")}).out.contains(s(u"\n  ") + command + u' '))
            << command.toStdString();
    }
    EXPECT_FALSE(QFile::exists(ws.path(s(u"number414.dat"))));
}

TEST(CliTest, MessagesShowTheirTitleOrTheProgramsAndBreakLinesAtCr) {
    const std::tuple<const char16_t*, const char16_t*, const char16_t*> cases[] = {
        {u"一行目\r二行目", u"", u"[Tessarin] 一行目\n二行目\n"},
        {u"生成終了しました。", u"終了", u"[終了] 生成終了しました。\n"},
    };
    for (const auto& [text, title, want] : cases) {
        QString err;
        QTextStream e(&err);
        cli::ConsoleHost host(e);
        host.messageBox(s(text), s(title));
        e.flush();
        EXPECT_EQ(err, s(want));
    }
}
