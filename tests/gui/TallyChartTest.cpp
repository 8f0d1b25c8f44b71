#include "charts/TallyChart.h"
#include "support/CliRun.h"
#include "support/TestHistory.h"

#include <QChart>
#include <QImage>
#include <QLineSeries>
#include <QtTest>

class TallyChartTest : public QObject {
    Q_OBJECT

private slots:
    // One point per draw on each line; the win rate looks back 50 draws at most.
    void linesOfAHandMadeTally() {
        std::vector<simulate::TallyDraw> draws;
        for (int d = 101; d <= 180; ++d) // a win on every fourth draw from 101, 20 in all
            draws.push_back({d, {simulate::BaselineDraw::Kind::Single, 10, 5, 40000}, d % 4 == 1});
        std::unique_ptr<QChart> chart(charts::makeTallyChart(draws));
        const auto lines = chart->series();
        QCOMPARE(lines.size(), 3);
        for (auto* s : lines)
            QCOMPARE(static_cast<QLineSeries*>(s)->count(), 80);
        const auto* balance = static_cast<QLineSeries*>(lines[0]);
        QCOMPARE(balance->at(79), QPointF(180, 20 * 40000.0 - 80 * 15 * 200.0));
        const auto* winRate = static_cast<QLineSeries*>(lines[2]);
        QCOMPARE(winRate->at(0).y(), 100.0);            // one draw, won
        QCOMPARE(winRate->at(79).y(), 100.0 * 12 / 50); // draws 131..180
    }

    // verify --chart writes the picture offscreen beside its usual output.
    void verifyWritesTheChart() {
        testing_support::Workspace ws;
        ws.writeHistory(testing_support::weekdayDraws(
            120, QStringLiteral("2020/01/06"), {QStringLiteral("1234"), QStringLiteral("1123")}));
        const QString png = ws.path(QStringLiteral("tally.png"));
        const auto r =
            testing_support::runCli({"verify", "--count", "60", "--chart", png, "--json"});
        QCOMPARE(r.code, 0);
        QCOMPARE(QImage(png).size(), QSize(1000, 600));
        QVERIFY(r.out.contains(QStringLiteral("\"baseline\"")));
    }
};

QTEST_MAIN(TallyChartTest)
#include "TallyChartTest.moc"
