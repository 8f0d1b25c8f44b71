// The catch-up and the appending of a draw, in the results window and by tessarin-cli update
// and fetch, against a real HTTP server on 127.0.0.1 serving the operator's file layout.
#include "support/CliRun.h"
#include "support/LoopbackServer.h"
#include "support/QtPrinters.h"
#include "support/TestHistory.h"

#include "download/DownloadForm.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTimeZone>

#include <chrono>
#include <functional>
#include <thread>

using mainwindow::Grd2Col;

using namespace testing_support;

namespace {

constexpr int kHeld = 7070; // draws in the history at the start, the last on 2026/09/15
// The evening of Friday 2026/09/18 in Japan: draws 7071 to 7073 (16th to 18th) are out.
const QDateTime kNow(QDate(2026, 9, 18), QTime(20, 0), QTimeZone(9 * 3600));

QString drawFile(int d) {
    return resultFile(d, QStringLiteral("令和8年9月%1日").arg(d - 7055),
                      QStringLiteral("%1").arg(d * 7 % 10000, 4, 10, QChar(u'0')));
}

// A loaded history of kHeld draws, the results window and a site that holds draws up to
// latest, with the result files of the given draws.
struct Site {
    Site(int latest, const std::vector<int>& draws) {
        ws.writeHistory(weekdayDraws(kHeld, firstWeekdayEndingOn(kHeld, QDate(2026, 9, 15)),
                                     {QStringLiteral("1234"), QStringLiteral("5567")}));
        ws.load();
        before = history();
        dl.Form_Load();
        dl.useBaseAddress(server.baseUrl());
        dl.http = std::make_unique<download::CurlClient>(
            download::CurlClient::Limits{2000, 1500, 1 << 20});
        server.serve(QStringLiteral("/numbers.csv"), indexFile(2, {latest, latest - 1}));
        for (int d : draws)
            server.serve(QStringLiteral("/A102%1.CSV").arg(d), drawFile(d));
    }
    QByteArray history() const { return readFile(ws.path(QStringLiteral("number414.dat"))); }

    LoopbackServer server;
    Workspace ws{kNow};
    download::DownloadForm dl{ws.host, ws.module, *ws.form};
    QByteArray before;
};

TEST(CatchUp, AppendsEveryMissingDrawThenFindsNothingToFetch) {
    Site s(7073, {7071, 7072, 7073});
    const auto result = s.dl.SaisinKousin();
    EXPECT_EQ(result.appended, 3);
    EXPECT_TRUE(result.complete);
    EXPECT_TRUE(told(s.ws.host, u"最新データ取得完了"));

    const QByteArray after = s.history();
    ASSERT_EQ(after.size(), 7073 * 128);
    EXPECT_EQ(after.left(kHeld * 128), s.before);
    history::DrawRecord want =
        makeRecord(7072, {QStringLiteral("9504"), QStringLiteral("20260917")});
    want.Winners = {18, 153, 51, 680};
    want.Payout = {986400, 82200, 534300, 41100};
    EXPECT_EQ(history::DrawRecord::decode(after.mid(7071 * 128, 128)), want);

    const auto& f = *s.ws.form;
    EXPECT_EQ(f.Combo1.text, QStringLiteral("7074"));
    EXPECT_EQ(f.Grd2.text(7073, Grd2Col::WinNumber), QStringLiteral("9511"));
    const QString ts = s.dl.Label2.caption;
    EXPECT_EQ(s.server.requests(), (QStringList{"/numbers.csv?" + ts, "/A1027071.CSV?" + ts,
                                                "/A1027072.CSV?" + ts, "/A1027073.CSV?" + ts}));
    ASSERT_EQ(s.ws.host.progressTexts.size(), 4);
    EXPECT_EQ(s.ws.host.progressTexts[3], QStringLiteral("抽選結果を取得中: 第7073回（3/3）"));

    // Run again: nothing to fetch, nothing shown, nothing changed.
    const QStringList combo = f.Combo1.items;
    EXPECT_EQ(s.dl.SaisinKousin().appended, 0);
    EXPECT_EQ(s.ws.host.messages.size(), 1u);
    EXPECT_EQ(s.history(), after);
    EXPECT_EQ(f.Combo1.items, combo);
}

struct Failure {
    const char* name;
    std::function<void(Site&)> arrange;
    int wantAppended;
    QString wantInMessage;
};

TEST(CatchUp, AFailureKeepsTheDrawsBeforeItAndLeavesNoHole) {
    const QString notDownloaded = QStringLiteral("最新抽選結果がダウンロードできませんでした。");
    const auto dated = [](const char16_t* date) {
        return [date](Site& site) {
            site.server.serve("/A1027072.CSV", resultFile(7072, s(date), QStringLiteral("5614")));
        };
    };
    const Failure failures[] = {
        {"404 in the middle", [](Site& s) { s.server.serve("/A1027073.CSV", drawFile(7073)); }, 1,
         notDownloaded},
        {"never answers", [](Site& s) { s.server.hang("/A1027072.CSV"); }, 1, notDownloaded},
        {"refused", [](Site& s) { s.dl.useBaseAddress(QStringLiteral("http://127.0.0.1:1/")); }, 0,
         QStringLiteral("Prefix番号取得にエラー")},
        {"data folder that cannot take the index file",
         [](Site& s) { QDir().mkpath(s.ws.path(QStringLiteral("prefix.txt/in the way"))); }, 0,
         QStringLiteral("prefix.txt を書き込めません")},
        {"index file of one line",
         [](Site& s) { s.server.serve("/numbers.csv", QStringLiteral("A52\r\n")); }, 0,
         QStringLiteral("Prefix番号取得にエラー")},
        {"file of another draw", [](Site& s) { s.server.serve("/A1027072.CSV", drawFile(7071)); },
         1, QStringLiteral("第7072回ではありません")},
        // Every date refusal: DownloadParseTest. Here the stored dates and today reach it.
        {"same date as the draw before", dated(u"令和8年9月16日"), 1,
         QStringLiteral("第7072回の抽選日 2026/09/16 が、保存済みの第7071回")},
        {"dated after today", dated(u"令和8年9月19日"), 1,
         QStringLiteral("今日（2026/09/18）より後")},
    };
    for (const auto& f : failures) {
        Site s(7073, {7071});
        f.arrange(s);
        QElapsedTimer timer;
        timer.start();
        const auto result = s.dl.SaisinKousin();
        EXPECT_LT(timer.elapsed(), 8000) << f.name;
        EXPECT_EQ(result.appended, f.wantAppended) << f.name;
        EXPECT_FALSE(result.complete) << f.name;
        EXPECT_TRUE(told(s.ws.host, f.wantInMessage)) << f.name;
        const QByteArray after = s.history();
        EXPECT_EQ(after.size(), (kHeld + f.wantAppended) * 128) << f.name;
        EXPECT_EQ(after.left(kHeld * 128), s.before) << f.name;
        EXPECT_EQ(s.ws.form->Combo1.text, QString::number(kHeld + f.wantAppended + 1)) << f.name;
    }
}

// The window's 中止 sets the client's stop flag from another thread while the index file
// hangs. A stop while a draw hangs, pressed in the window: BackgroundFetchTest.
TEST(CatchUp, AStopEndsTheTransferInFlightAndAppendsNothing) {
    Site s(7073, {7071, 7072, 7073});
    s.dl.http =
        std::make_unique<download::CurlClient>(download::CurlClient::Limits{2000, 30000, 1 << 20});
    s.server.hang(QStringLiteral("/numbers.csv"));
    QElapsedTimer sinceStop;
    std::thread stopper([&] {
        QElapsedTimer waited;
        waited.start();
        while (s.server.requests().isEmpty() && waited.elapsed() < 5000)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        sinceStop.start();
        s.dl.http->stop = true;
    });
    const auto result = s.dl.SaisinKousin();
    stopper.join();
    // A stop ends the transfer at once, not after the 30 s time-out (the bound leaves room
    // for a loaded machine and the sanitizers).
    EXPECT_LT(sinceStop.elapsed(), 5000);
    EXPECT_EQ(result.appended, 0);
    EXPECT_TRUE(told(s.ws.host, u"最新抽選回の確認を中止しました。"));
    EXPECT_EQ(s.history(), s.before);
}

// The rule itself: DownloadParseTest. Here the catch-up applies it on the date in Japan:
// 23:30 UTC on Tuesday the 15th is already Wednesday morning there, one draw past 7070.
TEST(CatchUp, BelievesTheIndexFileOnlyAsFarAsOneDrawAWeekday) {
    Site s(7316, {7071, 7072, 7073});
    s.ws.host.setNow(QDateTime(QDate(2026, 9, 15), QTime(23, 30), QTimeZone(0)));
    const auto result = s.dl.SaisinKousin();
    EXPECT_EQ(result.appended, 1);
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(s.server.requests().size(), 2);
    EXPECT_EQ(s.history().size(), (kHeld + 1) * 128);
}

TEST(HttpClient, AbandonsAStalledServerAndFollowsPlainRedirectsOnLoopback) {
    LoopbackServer server;
    Workspace ws;
    server.serve(QStringLiteral("/numbers.csv"), QStringLiteral("A52\r\n"));
    server.redirect(QStringLiteral("/moved.csv"), server.baseUrl() + QStringLiteral("numbers.csv"));
    server.hang(QStringLiteral("/stalled.csv"));
    const QString local = ws.path(QStringLiteral("prefix.txt"));
    download::CurlClient client; // the limits the program runs with

    EXPECT_EQ(client.download(server.baseUrl() + QStringLiteral("moved.csv"), local), QString());
    EXPECT_EQ(readFile(local), QByteArray("A52\r\n"));

    QElapsedTimer timer;
    timer.start();
    EXPECT_NE(client.download(server.baseUrl() + QStringLiteral("stalled.csv"), local), QString());
    EXPECT_GT(timer.elapsed(), 14'000);
    EXPECT_LT(timer.elapsed(), 20'000); // the low-speed limit, well before the 60 s time-out
    EXPECT_EQ(readFile(local), QByteArray("A52\r\n"));
}

TEST(CatchUp, AppendTakesOnlyTheNextDraw) {
    Site s(kHeld, {});
    // A stored draw is never replaced, and a draw past the next would leave a hole; the one
    // accepted comes last, so the history may change only at its end.
    const std::pair<const char*, const char16_t*> cases[] = {
        {"0", u"追加する抽選結果がありません"},
        {"7070", u"第7070回は保存済みです。追加できるのは最新回の次の第7071回だけです。"},
        {"7072", u"第7072回は追加できません"},
        {"7071", u"追加しました。"},
    };
    for (const auto& [drawNo, want] : cases) {
        s.ws.host.messages.clear();
        s.dl.Grd1.setText(1, 1, QString::fromLatin1(drawNo));
        s.dl.Grd1.setText(1, 3, QStringLiteral("0042"));
        // The latest stored draw, 7070, fell on 2026/09/15.
        s.dl.Grd1.setText(1, 2, QStringLiteral("20260916"));
        s.dl.Command7_Click();
        EXPECT_TRUE(told(s.ws.host, want)) << drawNo;
    }
    const QByteArray after = s.history();
    ASSERT_EQ(after.size(), 7071 * 128);
    EXPECT_EQ(after.left(kHeld * 128), s.before);
    EXPECT_EQ(history::DrawRecord::decode(after.mid(kHeld * 128)).numberText(),
              QStringLiteral("0042"));
}

TEST(DownloadCli, UpdateFetchAppendAndRefusals) {
    const std::tuple<QString, int, QString, QString, int, int> cases[] = {
        // command, exit code, a part of the output, a part of the errors, records after,
        // requests to the site
        {"update", cli::kOk, "第7071回から 2 回分を追加しました。", "最新データ取得完了", 7072, 3},
        {"fetch 7071", cli::kOk,
         "7071\t20260916\t9497\t18\t153\t51\t680\t986400\t82200\t534300\t41100", "", 7070, 2},
        {"fetch 7071 --append", cli::kOk, "第7071回を number414.dat に追加しました。", "", 7071, 2},
        {"fetch 7090", cli::kFailed, "", "最新抽選結果がダウンロードできませんでした。", 7070, 2},
        {"fetch 7072 --append", cli::kFailed, "", "第7071回だけです。", 7070, 0},
    };
    for (const auto& [command, wantCode, wantOut, wantErr, wantRecords, wantRequests] : cases) {
        Site s(7072, {7071, 7072});
        const auto r =
            runCli(command.split(u' ') + QStringList{"--results-url", s.server.baseUrl()}, kNow);
        EXPECT_EQ(r.code, wantCode) << command.toStdString();
        EXPECT_TRUE(r.out.contains(wantOut)) << r.out.toStdString();
        EXPECT_TRUE(r.err.contains(wantErr)) << r.err.toStdString();
        const QByteArray after = s.history();
        EXPECT_EQ(after.size(), wantRecords * 128) << command.toStdString();
        EXPECT_EQ(after.left(kHeld * 128), s.before) << command.toStdString();
        EXPECT_EQ(s.server.requests().size(), wantRequests) << command.toStdString();
    }
}

} // namespace
