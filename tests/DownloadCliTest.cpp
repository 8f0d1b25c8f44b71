// tessarin-cli update and fetch against a real HTTP server on 127.0.0.1.
#include "support/LoopbackServer.h"
#include "support/QtPrinters.h"
#include "support/TestHistory.h"

#include "Cli.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

TEST(DownloadCli, UpdateFetchAndAFailedFetch) {
    LoopbackServer server;
    server.serve(QStringLiteral("/numbers.csv"), indexFile(0, {7072}));
    for (int d : {7071, 7072})
        server.serve(QStringLiteral("/A100%1.CSV").arg(d),
                     resultFile(d, QStringLiteral("令和8年9月%1日").arg(d - 7055),
                                QString(4, QChar(u'0' + d % 10))));
    const std::tuple<QString, int, QString, QString, int> cases[] = {
        // command, exit code, a part of the output, a part of the errors, records after
        {"update", cli::kOk, "第7071回から 2 回分を追加しました。", "最新データ取得完了", 7072},
        {"fetch 7071", cli::kOk,
         "7071\t20260916\t1111\t18\t153\t51\t680\t986400\t82200\t534300\t41100", "", 7070},
        {"fetch 7090", cli::kFailed, "", "最新抽選結果がダウンロードできませんでした。", 7070},
    };
    for (const auto& [command, wantCode, wantOut, wantErr, wantRecords] : cases) {
        // The address is a global option: before the command name or after it.
        for (const bool before : {false, true}) {
            Workspace ws;
            ws.writeHistory(
                weekdayDraws(7070, QStringLiteral("1999/06/01"), {QStringLiteral("3141")}));
            QString out;
            QString err;
            QTextStream outStream(&out);
            QTextStream errStream(&err);
            const QStringList url{"--results-url", server.baseUrl()};
            const QStringList args = before ? url + command.split(u' ') : command.split(u' ') + url;
            EXPECT_EQ(cli::run(args, outStream, errStream), wantCode) << command.toStdString();
            outStream.flush();
            errStream.flush();
            EXPECT_TRUE(out.contains(wantOut)) << out.toStdString();
            EXPECT_TRUE(err.contains(wantErr)) << err.toStdString();
            EXPECT_EQ(readFile(ws.path(QStringLiteral("number414.dat"))).size(), wantRecords * 128)
                << command.toStdString();
        }
    }
}

} // namespace
