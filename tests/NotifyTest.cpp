// The weekday fetch as its timer runs it: tessarin-cli update --notify against result files on
// 127.0.0.1, on a session bus of the test's own (run under dbus-run-session) with a stand-in
// notification service; and schedule where no systemd user manager can be reached.
#include "support/CliRun.h"
#include "support/LoopbackServer.h"
#include "support/TestHistory.h"

#include "download/ResultFile.h"

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

using namespace testing_support;

TEST(WeekdayFetch, UpdateNotifiesTheDrawsItBroughtAndItsFailures) {
    // The program runs on the real clock: a history that ended a week ago in Japan.
    const QDate today = download::japanDate(QDateTime::currentDateTimeUtc());
    const QString winning = resultFile(7071, reiwaDate(today.addDays(-5)), QStringLiteral("9929"));
    const QString drawn = QStringLiteral("第7071回 9929: ストレート 9929 ×2口 当選 ¥1,972,800 / "
                                         "3口中 2口当選");
    // out and err: a part of each stream; summary: of the one notification (empty: none may be
    // sent), body: the start of its text.
    const struct {
        const char* name;
        bool service, tornHistory;
        int latestOnSite; // 0: the site answers 404 for everything
        int code;
        QString out, summary, body, err;
    } cases[] = {
        {"a winning draw", true, false, 7071, 0, drawn, "第7071回の抽選結果: 当選 ¥1,972,800",
         drawn, QString()},
        {"nothing new", true, false, 7070, 0, "新しい抽選結果はありません。", QString(), QString(),
         QString()},
        {"no notification service", false, false, 7071, 0, drawn, QString(), QString(),
         "デスクトップ通知を表示できませんでした: セッションバスに通知サービス"},
        {"the site cannot be reached", true, false, 0, 1, QString(),
         "抽選結果を取得できませんでした", "Prefix番号取得にエラーが発生しました。", QString()},
        {"a damaged history", true, true, 7071, 1, QString(), "抽選結果を取得できませんでした",
         "抽選履歴 number414.dat の第7071回の記録が壊れています", QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Workspace ws;
        ws.writeHistory(weekdayDraws(7070, firstWeekdayEndingOn(7070, today.addDays(-7)),
                                     {QStringLiteral("3141")}));
        const QStringList add{"tickets", "add", "--draw", "7071", "--type"};
        ASSERT_EQ(spawnCli(add + QStringList{"S", "--units", "2", "9929"}).code, 0);
        ASSERT_EQ(spawnCli(add + QStringList{"B", "1234"}).code, 0);
        if (c.tornHistory)
            writeFile(ws.path("number414.dat"),
                      readFile(ws.path("number414.dat")) + QByteArray(100, ' '));
        LoopbackServer site;
        if (c.latestOnSite > 0)
            site.serve(QStringLiteral("/numbers.csv"), indexFile(0, {c.latestOnSite}));
        site.serve(QStringLiteral("/A1007071.CSV"), winning);
        // The stand-in service owns its name on the test's bus and logs each call as JSON.
        QProcess service;
        if (c.service) {
            service.start(QStringLiteral(TESSARIN_FAKE_NOTIFICATIONS), {ws.path("calls")});
            ASSERT_TRUE(service.waitForReadyRead(10000) && service.readLine() == "ready\n");
        }

        const CliRun r = spawnCli({"update", "--notify", "--results-url", site.baseUrl()});
        service.kill();
        service.waitForFinished();
        EXPECT_EQ(r.code, c.code) << r.err.toStdString();
        EXPECT_TRUE(r.out.contains(c.out)) << r.out.toStdString();
        EXPECT_TRUE(r.err.contains(c.err)) << r.err.toStdString();
        const QList<QByteArray> calls = readFile(ws.path("calls")).split('\n');
        ASSERT_EQ(calls.size(), c.summary.isEmpty() ? 1 : 2); // the last line is empty
        if (calls.size() == 2) {
            const QJsonObject call = QJsonDocument::fromJson(calls[0]).object();
            EXPECT_EQ(call["summary"].toString(), c.summary);
            EXPECT_TRUE(call["body"].toString().startsWith(c.body)) << calls[0].toStdString();
            EXPECT_EQ(call["app"].toString(), "Tessarin");
            EXPECT_EQ(call["icon"].toString(), "io.github.tessarin.Tessarin");
        }
        // Only a draw the player was shown is remembered, so the window tells the others.
        EXPECT_EQ(readFile(ws.path("announced.txt")),
                  c.code == 0 && !c.summary.isEmpty() ? QByteArray("7071\r\n") : QByteArray());
    }
}

// Where no systemd user manager runs (a build machine, a bare session), schedule says so in
// one line and exits with 1, whatever it was asked.
TEST(WeekdayFetch, ScheduleWithoutAUserManagerSaysSo) {
    QTemporaryDir runtime;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    env.remove("DBUS_SESSION_BUS_ADDRESS");
    for (const char* action : {"status", "on", "off"}) {
        const CliRun r = spawnCli({"schedule", action}, env);
        EXPECT_TRUE(r.code == 1 && r.out.isEmpty()) << action;
        EXPECT_TRUE(r.err.startsWith(QStringLiteral(
            "systemd のユーザーマネージャーに接続できないため、自動取得は使えません（")))
            << r.err.toStdString();
        EXPECT_EQ(r.err.count(u'\n'), 1) << r.err.toStdString();
    }
}

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // Qt's plugins and processes want one
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
