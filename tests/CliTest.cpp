// The command line, run in-process with captured streams.
#include "support/TestHistory.h"

#include "Cli.h"

#include <gtest/gtest.h>

using testing_support::Workspace;

namespace {

QString s(const char16_t* text) {
    return QString::fromUtf16(text);
}

struct CliRun {
    int code;
    QString out;
    QString err;
};

CliRun runCli(const QStringList& args) {
    QString out, err;
    QTextStream o(&out), e(&err);
    const int code = cli::run(args, o, e);
    o.flush();
    e.flush();
    return {code, out, err};
}

} // namespace

TEST(CliTest, ImportThenSummaryAndHistory) {
    Workspace ws;
    testing_support::writeFile(
        ws.path(s(u"results.csv")),
        "2,2026/08/21,9298,,1,,90400,,3,,4,\r\n1,2026/08/20,9577,,1,,177300,,3,,4,\r\n");
    CliRun r = runCli({s(u"import"), s(u"results.csv")});
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
    EXPECT_EQ(lines[2], s(u"次回: 第3回 2026/08/24"));
}

TEST(CliTest, UsageErrorsExitWithTwo) {
    Workspace ws;
    for (const QStringList& args :
         {QStringList{s(u"frobnicate")}, QStringList{s(u"history"), s(u"--last")},
          QStringList{s(u"history"), s(u"--last"), s(u"x")},
          QStringList{s(u"history"), s(u"--bogus")}, QStringList{s(u"import"), s(u"a"), s(u"b")}}) {
        const CliRun r = runCli(args);
        EXPECT_EQ(r.code, 2) << args.join(u' ').toStdString();
        EXPECT_FALSE(r.err.isEmpty());
    }
}

TEST(CliTest, FailedImportExitsWithOne) {
    Workspace ws;
    const CliRun r = runCli({s(u"import"), s(u"missing.csv")});
    EXPECT_EQ(r.code, 1);
    EXPECT_TRUE(r.err.contains(s(u"missing.csv")));
}
