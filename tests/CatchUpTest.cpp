// The catch-up and the appending of a draw, against a real HTTP server on 127.0.0.1 serving
// the operator's file layout.
#include "support/LoopbackServer.h"
#include "support/QtPrinters.h"
#include "support/TestHistory.h"

#include "download/DownloadForm.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include <chrono>
#include <functional>
#include <thread>

using namespace testing_support;

namespace {

constexpr int kHeld = 7070; // draws in the history at the start

QString drawFile(int d) {
    return resultFile(d, QStringLiteral("令和8年9月%1日").arg(d - 7055),
                      QStringLiteral("%1").arg(d * 7 % 10000, 4, 10, QChar(u'0')));
}

// A loaded history of kHeld draws, the results window and a site that holds draws up to
// latest, with the result files of the given draws.
struct Site {
    Site(int latest, const std::vector<int>& draws) {
        ws.writeHistory(weekdayDraws(kHeld, QStringLiteral("1999/06/01"),
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
    QStringList messages() const {
        QStringList texts;
        for (const auto& m : ws.host.messages)
            texts.append(m.text);
        return texts;
    }

    LoopbackServer server;
    Workspace ws;
    download::DownloadForm dl{ws.host, ws.module, *ws.form};
    QByteArray before;
};

TEST(CatchUp, AppendsEveryMissingDrawThenFindsNothingToFetch) {
    Site s(7073, {7071, 7072, 7073});
    const auto result = s.dl.SaisinKousin();
    EXPECT_EQ(result.appended, 3);
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(s.messages(), QStringList{QStringLiteral("最新データ取得完了")});

    const QByteArray after = s.history();
    ASSERT_EQ(after.size(), 7073 * 128);
    EXPECT_EQ(after.left(kHeld * 128), s.before);
    const auto rec = history::DrawRecord::decode(after.mid(7071 * 128, 128));
    EXPECT_EQ(rec.DrawNo, 7072);
    EXPECT_EQ(rec.dateText(), QStringLiteral("20260917"));
    EXPECT_EQ(rec.numberText(), QStringLiteral("9504"));
    EXPECT_EQ(rec.Winners, (std::array<int16_t, 4>{18, 153, 51, 680}));
    EXPECT_EQ(rec.Payout, (std::array<int32_t, 4>{986400, 82200, 534300, 41100}));

    const auto& f = *s.ws.form;
    EXPECT_EQ(f.Combo1.text, QStringLiteral("7074"));
    EXPECT_EQ(f.Grd2.text(7073, 1), QStringLiteral("9511"));
    const QString ts = s.dl.Label2.caption;
    EXPECT_EQ(s.server.requests(), (QStringList{"/numbers.csv?" + ts, "/A1027071.CSV?" + ts,
                                                "/A1027072.CSV?" + ts, "/A1027073.CSV?" + ts}));
    EXPECT_EQ(
        s.ws.host.progressTexts,
        (QStringList{"最新抽選回を確認中", "抽選結果を取得中: 第7071回（1/3）",
                     "抽選結果を取得中: 第7072回（2/3）", "抽選結果を取得中: 第7073回（3/3）"}));

    // Run again: nothing to fetch, nothing shown, nothing changed.
    const QStringList combo = f.Combo1.items;
    EXPECT_EQ(s.dl.SaisinKousin().appended, 0);
    EXPECT_EQ(s.messages().size(), 1);
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
    const Failure failures[] = {
        {"404 in the middle", [](Site& s) { s.server.serve("/A1027073.CSV", drawFile(7073)); }, 1,
         notDownloaded},
        {"never answers", [](Site& s) { s.server.hang("/A1027072.CSV"); }, 1, notDownloaded},
        {"refused", [](Site& s) { s.dl.useBaseAddress(QStringLiteral("http://127.0.0.1:1/")); }, 0,
         QStringLiteral("Prefix番号取得にエラー")},
        {"index file of one line",
         [](Site& s) { s.server.serve("/numbers.csv", QStringLiteral("A52\r\n")); }, 0,
         QStringLiteral("Prefix番号取得にエラー")},
        {"html page",
         [](Site& s) {
             s.server.serve("/A1027072.CSV",
                            QStringLiteral("<!DOCTYPE html>\r\n<html><body>x</body></html>\r\n"));
         },
         1, QStringLiteral("HTML")},
        {"file of another draw", [](Site& s) { s.server.serve("/A1027072.CSV", drawFile(7071)); },
         1, QStringLiteral("第7072回ではありません")},
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
        ASSERT_EQ(s.messages().size(), 1) << f.name;
        EXPECT_TRUE(s.messages()[0].contains(f.wantInMessage))
            << f.name << ": " << s.messages()[0].toStdString();
        const QByteArray after = s.history();
        EXPECT_EQ(after.size(), (kHeld + f.wantAppended) * 128) << f.name;
        EXPECT_EQ(after.left(kHeld * 128), s.before) << f.name;
        EXPECT_EQ(s.ws.form->Combo1.text, QString::number(kHeld + f.wantAppended + 1)) << f.name;
    }
}

// The window's 中止 sets the client's stop flag from another thread while a request hangs.
TEST(CatchUp, AStopEndsTheTransferInFlightAndAppendsNothingMore) {
    const struct {
        const char* hung;
        int wantAppended;
        QString wantMessage;
    } cases[] = {
        {"/numbers.csv", 0, QStringLiteral("最新抽選回の確認を中止しました。")},
        {"/A1027072.CSV", 1,
         QStringLiteral("第7072回の抽選結果の取得を中止しました。抽選履歴には追加していません。")},
    };
    for (const auto& c : cases) {
        Site s(7073, {7071, 7072, 7073});
        s.dl.http = std::make_unique<download::CurlClient>(
            download::CurlClient::Limits{2000, 30000, 1 << 20});
        s.server.hang(QString::fromLatin1(c.hung));
        QElapsedTimer sinceStop;
        std::thread stopper([&] {
            QElapsedTimer waited;
            waited.start();
            while (!s.server.requests().join(u' ').contains(QLatin1String(c.hung)) &&
                   waited.elapsed() < 5000)
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            sinceStop.start();
            s.dl.http->stop = true;
        });
        const auto result = s.dl.SaisinKousin();
        stopper.join();
        EXPECT_LT(sinceStop.elapsed(), 400) << c.hung;
        EXPECT_EQ(result.appended, c.wantAppended) << c.hung;
        EXPECT_EQ(s.messages(), QStringList{c.wantMessage}) << c.hung;
        EXPECT_EQ(s.history().size(), (kHeld + c.wantAppended) * 128) << c.hung;
        EXPECT_EQ(s.history().left(kHeld * 128), s.before) << c.hung;
    }
}

TEST(CatchUp, AppendRefusesDrawsThatWouldLeaveAHole) {
    Site s(kHeld, {});
    const std::pair<const char*, bool> cases[] = {
        {"0", false}, {"-3", false}, {"7072", false}, {"7070", true}, {"7071", true}};
    for (const auto& [drawNo, accepted] : cases) {
        s.ws.host.messages.clear();
        const QByteArray was = s.history();
        s.dl.Grd1.setText(1, 1, QString::fromLatin1(drawNo));
        s.dl.Grd1.setText(1, 3, QStringLiteral("0042"));
        // Draw 7070 (the latest, rewritten) falls on 2026/07/06.
        s.dl.Grd1.setText(
            1, 2, atoi(drawNo) == 7071 ? QStringLiteral("20260707") : QStringLiteral("20260706"));
        s.dl.Command7_Click();
        EXPECT_EQ(s.messages() == QStringList{QStringLiteral("追加しました。")}, accepted)
            << drawNo;
        if (accepted)
            EXPECT_EQ(history::DrawRecord::decode(s.history().mid((atoi(drawNo) - 1) * 128, 128))
                          .numberText(),
                      QStringLiteral("0042"));
        else
            EXPECT_EQ(s.history(), was) << drawNo;
    }
    EXPECT_EQ(s.history().size(), 7071 * 128);
}

} // namespace
