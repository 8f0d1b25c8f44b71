// tessarin-cli update and fetch against a real HTTP server on 127.0.0.1.
#include "support/LoopbackServer.h"
#include "support/QtPrinters.h"
#include "support/TestHistory.h"

#include "Cli.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

struct CliCase {
    const char* name;
    QStringList args; // "URL" stands for the server's address
    int wantCode;
    QString wantOut; // a part of what is printed
    QString wantErr;
    int wantRecords;
};

TEST(DownloadCli, UpdateAndFetch) {
    const CliCase cases[] = {
        {"update",
         {"update", "--results-url", "URL"},
         cli::kOk,
         "第7071回から 2 回分を追加しました。",
         "最新データ取得完了",
         7072},
        {"fetch",
         {"fetch", "7071", "--results-url", "URL"},
         cli::kOk,
         "7071\t20260916\t1111\t18\t153\t51\t680\t986400\t82200\t534300\t41100",
         "",
         7070},
        {"fetch and append",
         {"fetch", "7071", "--append", "--results-url", "URL"},
         cli::kOk,
         "第7071回を number414.dat に追加しました。",
         "",
         7071},
        {"append past the end",
         {"fetch", "7072", "--append", "--results-url", "URL"},
         cli::kFailed,
         "",
         "第7072回は追加できません。",
         7070},
        {"missing draw",
         {"fetch", "7090", "--results-url", "URL"},
         cli::kFailed,
         "",
         "最新抽選結果がダウンロードできませんでした。",
         7070},
        {"no draw given", {"fetch", "--append"}, cli::kUsage, "", "抽選回", 7070},
    };
    for (const auto& c : cases) {
        LoopbackServer server;
        server.serveShiftJis(QStringLiteral("/numbers.csv"), indexFile(0, {7072}));
        for (int d : {7071, 7072})
            server.serveShiftJis(QStringLiteral("/A100%1.CSV").arg(d),
                                 resultFile(d, QStringLiteral("令和8年9月%1日").arg(d - 7055),
                                            QString(4, QChar(u'0' + d % 10))));
        Workspace ws;
        ws.writeHistory(weekdayDraws(7070, QStringLiteral("2000/01/03"), {QStringLiteral("3141")}));

        QStringList args = c.args;
        args.replaceInStrings(QStringLiteral("URL"), server.baseUrl());
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        EXPECT_EQ(cli::run(args, outStream, errStream), c.wantCode) << c.name;
        outStream.flush();
        errStream.flush();
        EXPECT_TRUE(out.contains(c.wantOut)) << c.name << "\n" << out.toStdString();
        EXPECT_TRUE(err.contains(c.wantErr)) << c.name << "\n" << err.toStdString();
        EXPECT_EQ(readFile(ws.path(QStringLiteral("number414.dat"))).size(), c.wantRecords * 128)
            << c.name;
    }
}

} // namespace
