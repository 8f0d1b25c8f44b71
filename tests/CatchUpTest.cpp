// The catch-up of the start-up and the results window's steps, against a real HTTP server on
// 127.0.0.1 serving the operator's file layout.
#include "support/LoopbackServer.h"
#include "support/QtPrinters.h"
#include "support/TestHistory.h"

#include "download/DownloadForm.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

using namespace testing_support;

namespace {

constexpr int kHeld = 7070; // draws in the history before each test

class CatchUp : public ::testing::Test {
protected:
    void SetUp() override {
        ws.writeHistory(
            weekdayDraws(kHeld, QStringLiteral("2025/01/06"),
                         {QStringLiteral("1234"), QStringLiteral("5567"), QStringLiteral("9012")}));
        ws.load();
        before = readFile(ws.path(QStringLiteral("number414.dat")));
        dl.Form_Load();
        dl.useBaseAddress(server.baseUrl());
        dl.http = std::make_unique<download::CurlClient>(
            download::CurlClient::Limits{2000, 1500, 1 << 20});
    }

    // The site holds draws up to latest; the result files of the given draws are served.
    void publish(int latest, const std::vector<int>& draws) {
        server.serveShiftJis(QStringLiteral("/numbers.csv"), indexFile(0, {latest, latest - 1}));
        for (int d : draws)
            server.serveShiftJis(QStringLiteral("/A100%1.CSV").arg(d), drawFile(d));
    }
    static QString drawFile(int d) {
        return resultFile(d, QStringLiteral("令和8年9月%1日").arg(d - 7055),
                          QStringLiteral("%1").arg(d * 7 % 10000, 4, 10, QChar(u'0')));
    }

    QByteArray history() { return readFile(ws.path(QStringLiteral("number414.dat"))); }
    QStringList messages() {
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

TEST_F(CatchUp, AppendsEveryMissingDrawAndRefreshesTheMainWindow) {
    publish(7073, {7071, 7072, 7073});
    const auto result = dl.SaisinKousin();
    EXPECT_EQ(result.appended, 3);
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(messages(), QStringList{QStringLiteral("最新データ取得完了")});

    const QByteArray after = history();
    ASSERT_EQ(after.size(), 7073 * 128);
    EXPECT_EQ(after.left(kHeld * 128), before);
    const auto rec = history::DrawRecord::decode(after.mid(7071 * 128, 128));
    EXPECT_EQ(rec.DrawNo, 7072);
    EXPECT_EQ(rec.dateText(), QStringLiteral("20260917"));
    EXPECT_EQ(rec.numberText(), QStringLiteral("9504"));
    EXPECT_EQ(rec.Winners, (std::array<int16_t, 4>{18, 153, 51, 680}));
    EXPECT_EQ(rec.Payout, (std::array<int32_t, 4>{986400, 82200, 534300, 41100}));

    const auto& f = *ws.form;
    EXPECT_EQ(f.Combo1.items.size(), 352);
    EXPECT_EQ(f.Combo1.items.front(), QStringLiteral("6723"));
    EXPECT_EQ(f.Combo1.items.back(), QStringLiteral("7074"));
    EXPECT_EQ(f.Combo1.text, QStringLiteral("7074"));
    EXPECT_EQ(f.LabCom1.caption, QStringLiteral("7074"));
    EXPECT_EQ(f.HistRows, 7073);
    EXPECT_EQ(f.Grd2.text(7073, 1), QStringLiteral("9511"));
    EXPECT_NE(f.Grd2.text(7074, 10), QString()); // the W・S prediction of the next draw
    EXPECT_EQ(dl.Label5[0].caption, QStringLiteral("7071"));
    EXPECT_EQ(dl.Label5[1].caption, QStringLiteral("7073"));

    const QString ts = dl.Label2.caption;
    EXPECT_EQ(server.requests(), (QStringList{"/numbers.csv?" + ts, "/A1007071.CSV?" + ts,
                                              "/A1007072.CSV?" + ts, "/A1007073.CSV?" + ts}));
}

TEST_F(CatchUp, NothingToFetchChangesNothing) {
    publish(kHeld, {});
    const QStringList combo = ws.form->Combo1.items;
    const auto result = dl.SaisinKousin();
    EXPECT_EQ(result.appended, 0);
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(messages(), QStringList());
    EXPECT_EQ(history(), before);
    EXPECT_EQ(ws.form->Combo1.items, combo);
    EXPECT_EQ(server.requests().size(), 1);
}

TEST_F(CatchUp, StopsAtAMissingFileKeepingTheDrawsBeforeIt) {
    publish(7074, {7071, 7073, 7074}); // 7072 is missing: 404
    const auto result = dl.SaisinKousin();
    EXPECT_EQ(result.appended, 1);
    EXPECT_FALSE(result.complete);
    EXPECT_EQ(messages(),
              QStringList{QStringLiteral("最新抽選結果がダウンロードできませんでした。")});
    EXPECT_EQ(history().size(), 7071 * 128); // no hole, nothing past the failure
    EXPECT_EQ(ws.form->Combo1.text, QStringLiteral("7072"));
    EXPECT_EQ(ws.form->HistRows, 7071);
    // The failed download left the previous file as it was.
    EXPECT_EQ(readFile(dl.resultPath()), toShiftJis(drawFile(7071)));
}

struct Failure {
    const char* name;
    std::function<void(LoopbackServer&)> serve;
    QString wantMessage;
};

TEST_F(CatchUp, AFailedDrawLeavesTheHistoryAsItWas) {
    const Failure failures[] = {
        {"server never answers", [](LoopbackServer& s) { s.hang(QStringLiteral("/A1007071.CSV")); },
         QStringLiteral("最新抽選結果がダウンロードできませんでした。")},
        {"html page",
         [](LoopbackServer& s) {
             s.serve(QStringLiteral("/A1007071.CSV"),
                     "<!DOCTYPE html>\r\n<html><body>Not available</body></html>\r\n", 200,
                     "text/html");
         },
         QStringLiteral("第7071回")},
        {"file of another draw",
         [](LoopbackServer& s) {
             s.serveShiftJis(QStringLiteral("/A1007071.CSV"), drawFile(7070));
         },
         QStringLiteral("第7071回")},
        {"server error",
         [](LoopbackServer& s) { s.serve(QStringLiteral("/A1007071.CSV"), "oops", 500); },
         QStringLiteral("最新抽選結果がダウンロードできませんでした。")},
    };
    for (const auto& f : failures) {
        ws.host.messages.clear();
        publish(7072, {7072});
        f.serve(server);
        QElapsedTimer timer;
        timer.start();
        const auto result = dl.SaisinKousin();
        EXPECT_LT(timer.elapsed(), 8000) << f.name;
        EXPECT_EQ(result.appended, 0) << f.name;
        EXPECT_FALSE(result.complete) << f.name;
        ASSERT_EQ(ws.host.messages.size(), 1u) << f.name;
        EXPECT_TRUE(ws.host.messages[0].text.contains(f.wantMessage))
            << f.name << ": " << ws.host.messages[0].text.toStdString();
        EXPECT_EQ(history(), before) << f.name;
        EXPECT_EQ(ws.form->Combo1.text, QString::number(kHeld + 1)) << f.name;
        EXPECT_FALSE(server.requests().last().startsWith(QStringLiteral("/A1007072"))) << f.name;
    }
}

TEST_F(CatchUp, FollowsRedirects) {
    publish(7071, {});
    server.redirect(QStringLiteral("/A1007071.CSV"),
                    server.baseUrl() + QStringLiteral("moved.csv"));
    server.serveShiftJis(QStringLiteral("/moved.csv"), drawFile(7071));
    EXPECT_EQ(dl.SaisinKousin().appended, 1);
    EXPECT_EQ(history().size(), 7071 * 128);
}

TEST_F(CatchUp, IndexFileFailuresKeepThePreviousPrefixAndLatestDraw) {
    const std::pair<const char*, std::function<void()>> failures[] = {
        {"refused",
         [&] { dl.useBaseAddress(QStringLiteral("http://127.0.0.1:%1/").arg(closedPort())); }},
        {"one line",
         [&] { server.serveShiftJis(QStringLiteral("/numbers.csv"), QStringLiteral("A52\r\n")); }},
        {"no draw in line 2",
         [&] {
             server.serveShiftJis(QStringLiteral("/numbers.csv"),
                                  QStringLiteral("A52\r\nナンバーズ,第7073回\r\n"));
         }},
        {"html",
         [&] {
             server.serve(QStringLiteral("/numbers.csv"),
                          "<html>\n<body>maintenance</body>\n</html>", 200, "text/html");
         }},
    };
    for (const auto& [name, arrange] : failures) {
        ws.host.messages.clear();
        dl.Label3[3].caption = QStringLiteral("7");
        dl.Label3[6].caption = QStringLiteral("399");
        arrange();
        EXPECT_FALSE(dl.SaisinKousin().complete) << name;
        EXPECT_EQ(messages(),
                  QStringList{QStringLiteral("Prefix番号取得にエラーが発生しました。\r"
                                             "インターネットに接続されているかご確認下さい。")})
            << name;
        EXPECT_EQ(dl.Label3[3].caption, QStringLiteral("7")) << name;
        EXPECT_EQ(dl.Label3[6].caption, QStringLiteral("399")) << name;
        EXPECT_EQ(history(), before) << name;
    }
}

TEST_F(CatchUp, IndexFileGivesPrefixAndLatestDraw) {
    server.serveShiftJis(QStringLiteral("/numbers.csv"), indexFile(2, {4907, 4906}));
    dl.TSkeisan();
    ASSERT_TRUE(dl.FNoget());
    EXPECT_EQ(dl.Label3[3].caption, QStringLiteral("2"));
    EXPECT_EQ(dl.Label3[6].caption, QStringLiteral("4907"));
}

TEST_F(CatchUp, AppendRefusesDrawsThatWouldLeaveAHole) {
    const std::pair<QString, bool> cases[] = {{QString(), false},
                                              {QStringLiteral("-3"), false},
                                              {QStringLiteral("7072"), false},
                                              {QStringLiteral("7070"), true},
                                              {QStringLiteral("7071"), true}};
    for (const auto& [drawNo, accepted] : cases) {
        ws.host.messages.clear();
        dl.Grd1.setText(1, 1, drawNo);
        dl.Grd1.setText(1, 2, QStringLiteral("20260825"));
        dl.Grd1.setText(1, 3, QStringLiteral("0042"));
        dl.Command7_Click();
        ASSERT_EQ(ws.host.messages.size(), 1u);
        const auto& shown = ws.host.messages[0];
        if (accepted) {
            EXPECT_EQ(shown.text, QStringLiteral("追加しました。"));
            EXPECT_EQ(shown.title, QStringLiteral("データ追加"));
            const int n = drawNo.toInt();
            EXPECT_EQ(history::DrawRecord::decode(history().mid((n - 1) * 128, 128)).numberText(),
                      QStringLiteral("0042"));
        } else {
            EXPECT_NE(shown.title, QStringLiteral("データ追加")) << drawNo.toStdString();
            EXPECT_EQ(history().size(), kHeld * 128) << drawNo.toStdString();
        }
    }
    EXPECT_EQ(history().size(), 7071 * 128);
}

TEST_F(CatchUp, ListingShowsEveryRecordNewestFirst) {
    dl.Command5_Click();
    ASSERT_EQ(dl.Grd2.rows(), kHeld + 1);
    EXPECT_EQ(dl.Grd2.text(0, 22), QStringLiteral("当flg"));
    const auto newest = history::DrawRecord::decode(before.right(128));
    const QString row1 = QStringList{dl.Grd2.text(1, 0), dl.Grd2.text(1, 1), dl.Grd2.text(1, 2),
                                     dl.Grd2.text(1, 3), dl.Grd2.text(1, 9)}
                             .join(u' ');
    EXPECT_EQ(row1, QStringLiteral("7070 7070 %1 %2 %3")
                        .arg(newest.dateText(), newest.numberText())
                        .arg(newest.Payout[1]));
    EXPECT_EQ(dl.Grd2.text(kHeld, 1), QStringLiteral("1"));
}

} // namespace
