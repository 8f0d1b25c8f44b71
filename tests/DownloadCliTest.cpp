// tessarin-cli update and fetch against a real HTTP server on 127.0.0.1.
#include "support/CliRun.h"
#include "support/LoopbackServer.h"
#include "support/QtPrinters.h"
#include "support/TestHistory.h"

#include "download/ResultFile.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

TEST(DownloadCli, UpdateFetchAppendAndRefusals) {
    // The command line runs on the real clock: a history that ended a week ago in Japan and
    // two draws since.
    const QDate today = download::japanDate(QDateTime::currentDateTimeUtc());
    const QDate dates[] = {today.addDays(-5), today.addDays(-4)};
    LoopbackServer server;
    server.serve(s(u"/numbers.csv"), indexFile(0, {7072}));
    for (int d : {7071, 7072})
        server.serve(s(u"/A100%1.CSV").arg(d),
                     resultFile(d, reiwaDate(dates[d - 7071]), QString(4, QChar(u'0' + d % 10))));
    const QString shown7071 = QStringLiteral("7071\t%1\t1111\t18\t153\t51\t680\t986400\t82200\t"
                                             "534300\t41100")
                                  .arg(dates[0].toString(s(u"yyyyMMdd")));
    const std::tuple<QString, int, QString, QString, int, int> cases[] = {
        // command, exit code, a part of the output, a part of the errors, records after,
        // requests to the site
        {"update", cli::kOk, "第7071回から 2 回分を追加しました。", "最新データ取得完了", 7072, 3},
        {"fetch 7071", cli::kOk, shown7071, "", 7070, 2},
        {"fetch 7071 --append", cli::kOk, "第7071回を number414.dat に追加しました。", "", 7071, 2},
        {"fetch 7090", cli::kFailed, "", "最新抽選結果がダウンロードできませんでした。", 7070, 2},
        {"fetch 7072 --append", cli::kFailed, "", "第7071回だけです。", 7070, 0},
    };
    for (const auto& [command, wantCode, wantOut, wantErr, wantRecords, wantRequests] : cases) {
        Workspace ws;
        ws.writeHistory(
            weekdayDraws(7070, firstWeekdayEndingOn(7070, today.addDays(-7)), {s(u"3141")}));
        const QByteArray held = readFile(ws.path(s(u"number414.dat")));
        const qsizetype requestsBefore = server.requests().size();
        const auto r = runCli(command.split(u' ') + QStringList{"--results-url", server.baseUrl()});
        EXPECT_EQ(r.code, wantCode) << command.toStdString();
        EXPECT_TRUE(r.out.contains(wantOut)) << r.out.toStdString();
        EXPECT_TRUE(r.err.contains(wantErr)) << r.err.toStdString();
        const QByteArray after = readFile(ws.path(s(u"number414.dat")));
        EXPECT_EQ(after.size(), wantRecords * 128) << command.toStdString();
        EXPECT_EQ(after.left(held.size()), held) << command.toStdString();
        EXPECT_EQ(server.requests().size() - requestsBefore, wantRequests) << command.toStdString();
    }
}

} // namespace
