// Downloads off the window's thread, against a server on 127.0.0.1: the main window shows
// before the catch-up, keeps answering during it, and 中止 or closing stops cleanly; a draw
// another copy of the program appends is read in and told once. And a smoke test of the
// results window: typing reaches the form and a button fills a grid.
#include "BusyBar.h"
#include "DownloadWindow.h"
#include "Program.h"

#include "support/CliRun.h"
#include "support/LoopbackServer.h"
#include "support/TestHistory.h"

#include "download/ResultFile.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace testing_support;

namespace {

constexpr int kHeld = 7070;

// The window runs on the real clock: the history ended ten days ago in Japan, and the draws
// after it are dated on the days that followed.
QDate lastHeldDate() {
    return download::japanDate(QDateTime::currentDateTimeUtc()).addDays(-10);
}

// A history of kHeld draws and a site with the index and the result files up to 7073.
struct Site {
    Site() {
        ws.writeHistory(
            weekdayDraws(kHeld, firstWeekdayEndingOn(kHeld, lastHeldDate()), {s(u"1234")}));
        before = history();
        server.serve(s(u"/numbers.csv"), indexFile(2, {7073, 7072}));
        for (int d = 7071; d <= 7073; ++d)
            server.serve(s(u"/A102%1.CSV").arg(d),
                         resultFile(d, reiwaDate(lastHeldDate().addDays(d - kHeld)), s(u"0042")));
    }
    // The program over the site; the total time-out is long, so only a stop ends a hang.
    void aim(gui::Program& p) {
        p.results.useBaseAddress(server.baseUrl());
        p.results.http = std::make_unique<download::CurlClient>(
            download::CurlClient::Limits{2000, 30000, 1 << 20});
        p.host.answerNextMessages(1);
    }
    QByteArray history() const { return readFile(ws.path(s(u"number414.dat"))); }

    Workspace ws;
    LoopbackServer server;
    QByteArray before;
};

} // namespace

class BackgroundFetchTest : public QObject {
    Q_OBJECT

private slots:
    void startUp_data();
    void startUp();
    void resultsWindowFetchStops_data();
    void resultsWindowFetchStops();
    void historyGrownElsewhere_data();
    void historyGrownElsewhere();
    void typingReachesTheFormAndListingFillsTheGrid();
};

void BackgroundFetchTest::startUp_data() {
    QTest::addColumn<int>("delayMs");
    QTest::addColumn<QString>("hung"); // 中止 is pressed once it hangs
    QTest::addColumn<int>("appended");
    QTest::addColumn<QString>("message");

    QTest::newRow("slow site") << 150 << QString() << 3 << s(u"最新データ取得完了");
    QTest::newRow("中止 while a draw hangs")
        << 0 << s(u"/A1027072.CSV") << 1
        << s(u"第7072回の抽選結果の取得を中止しました。抽選履歴には追加していません。");
}

void BackgroundFetchTest::startUp() {
    QFETCH(int, delayMs);
    QFETCH(QString, hung);
    QFETCH(int, appended);
    QFETCH(QString, message);
    const bool pressStop = !hung.isEmpty();

    Site site;
    site.server.delayAnswers(delayMs);
    if (!hung.isEmpty())
        site.server.hang(hung);
    gui::Program p;
    site.aim(p);

    // Counts the event-loop ticks that happen while the catch-up runs, and presses 中止 once
    // the draw in flight hangs (the catch-up runs inside this loop, not after it).
    int ticks = 0;
    QElapsedTimer sinceStop;
    QTimer ticker;
    connect(&ticker, &QTimer::timeout, [&] {
        ticks += p.catchUpQueued() ? 1 : 0;
        if (pressStop && !sinceStop.isValid() && p.busy->isVisible() &&
            p.busy->text().contains(s(u"第7072回（2/3）")) && site.server.requests().size() == 3) {
            QTest::mouseClick(p.busy->stopButton(), Qt::LeftButton);
            sinceStop.start();
        }
    });
    ticker.start(10);

    QVERIFY(p.start());
    QVERIFY(p.window->isVisible());
    QVERIFY(p.catchUpQueued());
    QVERIFY(site.server.requests().isEmpty()); // nothing fetched before the window is up

    QTRY_VERIFY_WITH_TIMEOUT(!p.catchUpQueued(), 10000);
    QCOMPARE(sinceStop.isValid(), pressStop);
    if (pressStop) // at once, not after the 30 s time-out; room for the sanitizers
        QVERIFY2(sinceStop.elapsed() < 5000, qPrintable(QString::number(sinceStop.elapsed())));

    QCOMPARE(p.host.answered.size(), 1);
    QVERIFY2(p.host.answered[0].text.startsWith(message), qPrintable(p.host.answered[0].text));
    const QByteArray after = site.history();
    QCOMPARE(after.size(), (kHeld + appended) * 128);
    QVERIFY(after.left(kHeld * 128) == site.before);
    QCOMPARE(p.form.LabCom1.caption, QString::number(kHeld + appended + 1));
    // A slow site's catch-up spans many ticks: it runs beside the event loop, not in it.
    QVERIFY2(ticks >= delayMs / 10, qPrintable(QString::number(ticks)));
    QVERIFY(p.window->isVisible());
}

void BackgroundFetchTest::resultsWindowFetchStops_data() {
    QTest::addColumn<bool>("byClosing"); // else by 中止
    QTest::newRow("中止") << false;
    QTest::newRow("closing the main window") << true;
}

void BackgroundFetchTest::resultsWindowFetchStops() {
    QFETCH(bool, byClosing);
    Site site;
    site.server.hang(s(u"/A1027072.CSV"));
    gui::Program p;
    site.aim(p);
    site.server.serve(s(u"/numbers.csv"), indexFile(2, {kHeld})); // nothing to catch up
    QVERIFY(p.start());
    QTRY_VERIFY(!p.catchUpQueued());
    p.window->showResultsWindow();
    gui::BusyBar* bar = p.resultsWindow->busyBar();

    p.results.Label3[3].caption = s(u"2");
    p.results.Text2.text = s(u"7072");
    QTimer::singleShot(0, [&] {
        QTRY_VERIFY(bar->isVisible() &&
                    site.server.requests().last().startsWith(s(u"/A1027072.CSV")));
        QCOMPARE(bar->text(), s(u"抽選結果を取得中: 第7072回"));
        if (byClosing)
            QVERIFY(!p.window->close()); // refused while the download runs; it stops instead
        else
            QTest::mouseClick(bar->stopButton(), Qt::LeftButton);
    });
    QTest::mouseClick(p.resultsWindow->buttonFor(p.results.Command3), Qt::LeftButton);

    QCOMPARE(int(p.host.answered.size()), 1);
    QVERIFY(p.host.answered[0].text.startsWith(s(u"第7072回の抽選結果の取得を中止しました。")));
    QVERIFY(!QFile::exists(p.results.resultPath()));
    QVERIFY(site.history() == site.before);
    QVERIFY(p.window->isVisible());
}

void BackgroundFetchTest::historyGrownElsewhere_data() {
    QTest::addColumn<bool>("toldAlready"); // by the weekday fetch's notification
    QTest::newRow("not told yet") << false;
    QTest::newRow("told by the weekday fetch") << true;
}

void BackgroundFetchTest::historyGrownElsewhere() {
    QFETCH(bool, toldAlready);
    Site site;
    site.server.serve(s(u"/numbers.csv"), indexFile(2, {kHeld})); // nothing at start
    gui::Program p;
    site.aim(p);
    p.host.answered.clear();
    QVERIFY(p.start());
    QTRY_VERIFY(!p.catchUpQueued());
    QCOMPARE(p.form.HistRows, kHeld);

    // The timer's run, in a process of its own: a ticket for the next draw won, and the draw.
    QCOMPARE(spawnCli({"tickets", "add", "--draw", "7071", "--type", "S", "0042"}).code, 0);
    if (toldAlready)
        writeFile(site.ws.path("announced.txt"), "7071\r\n");
    site.server.serve(s(u"/numbers.csv"), indexFile(2, {7071}));
    QCOMPARE(spawnCli({"update", "--results-url", site.server.baseUrl()}).code, 0);

    QTRY_COMPARE(p.form.HistRows, kHeld + 1);
    QCOMPARE(p.form.LabCom1.caption, s(u"7072"));
    QTest::qWait(500); // room for a second reading, which must not tell the draw again
    QCOMPARE(p.host.answered.size(), std::size_t(toldAlready ? 0 : 1));
    if (!toldAlready)
        QCOMPARE(p.host.answered[0].text, s(u"第7071回: 1口中 1口当選 ¥986,400"));
    QCOMPARE(readFile(site.ws.path("announced.txt")), QByteArray("7071\r\n"));
}

void BackgroundFetchTest::typingReachesTheFormAndListingFillsTheGrid() {
    Workspace ws;
    ws.writeHistory(weekdayDraws(12, s(u"2026/08/03"), {s(u"0815")}));
    download::DownloadForm form(ws.host, ws.module, *ws.form);
    form.Form_Load();
    gui::QtHost host;
    gui::DownloadWindow window(form, host);
    window.show();

    QLineEdit* date = window.editFor(form.Text1[0]);
    QVERIFY(date);
    date->selectAll();
    QTest::keyClicks(date, s(u"2018/01/01"));
    QCOMPARE(form.Text1[0].text, s(u"2018/01/01"));

    QTest::mouseClick(window.buttonFor(form.Command5), Qt::LeftButton);
    auto* listing = window.gridView(form.Grd2);
    QVERIFY(listing);
    QCOMPARE(listing->model()->rowCount(), 12);
    QCOMPARE(listing->model()->index(0, 1).data().toString(), s(u"12"));
    // Shown for a reader: the date with slashes, the prize class over its heading.
    QCOMPARE(listing->model()->index(0, 2).data().toString(), s(u"2026/08/18"));
    QCOMPARE(listing->model()->headerData(9, Qt::Horizontal).toString(), s(u"ボックス\n配当"));
}

QTEST_MAIN(BackgroundFetchTest)
#include "BackgroundFetchTest.moc"
