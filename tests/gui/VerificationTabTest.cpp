// The verification tab: シュミ集計, the strategy table and the tally chart.
#include "OwnedWindow.h"
#include "StrategyWindow.h"
#include "TallyChartWindow.h"
#include "charts/TallyChart.h"
#include "support/CliRun.h"
#include "support/OpenMainWindow.h"
#include "support/TestHistory.h"

#include <QChart>
#include <QChartView>
#include <QImage>
#include <QLabel>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTextDocumentFragment>
#include <QtTest>

using mainwindow::TallyCol;

using testing_support::withText;

class VerificationTabTest : public QObject {
    Q_OBJECT

private slots:
    void tallyButtonRunsTheTallyAndFillsTheGrid() {
        testing_support::Workspace ws;
        ws.writeHistory(testing_support::weekdayDraws(
            200, QStringLiteral("2020/01/06"), {QStringLiteral("1234"), QStringLiteral("1123")}));
        auto&& [host, module, form, window] = testing_support::OpenMainWindow<>();
        window.tabs()->setCurrentIndex(1);

        QRadioButton* byCount = withText<QRadioButton>(window, QStringLiteral("回数"));
        QPushButton* start = withText<QPushButton>(window, QStringLiteral("シュミ集計"));
        QVERIFY(byCount && start);
        QTest::mouseClick(byCount, Qt::LeftButton);
        form.Combo1.text = QStringLiteral("101");
        // The analysis table GrdA(0) is offered once a tally has shown it.
        const int analysis = window.tabs()->indexOf(window.findChild<QWidget*>("analysisTab"));
        QVERIFY(analysis > 0 && !window.tabs()->isTabVisible(analysis));
        start->click();
        QCOMPARE(form.GrdSM.text(12, TallyCol::Number), QStringLiteral("10件"));
        QCOMPARE(window.gridView(form.GrdSM)->model()->rowCount(), 12);
        QVERIFY(window.tabs()->isTabVisible(analysis) && window.gridView(form.GrdA[0]));

        // The tally row opens the strategy table and the chart of the tally just run. The
        // strategy table covers the range of the tally: 6 pairs x 4 narrowings, with the
        // adjusted chance beside each; under it the walk-forward of the same draws.
        for (const char16_t* button : {u"戦略表…", u"グラフ…"}) {
            QPushButton* open = withText<QPushButton>(window, QString::fromUtf16(button));
            QVERIFY(open);
            open->click();
        }
        auto* strategies = gui::ownedWindow<gui::StrategyWindow>(&window);
        auto* chart = gui::ownedWindow<gui::TallyChartWindow>(&window);
        QVERIFY(strategies && strategies->isVisible() && chart && chart->isVisible());
        auto* walkWindow = strategies->findChild<QSpinBox*>();
        QVERIFY(walkWindow);
        walkWindow->setValue(5);
        QVERIFY(strategies->refresh());
        QCOMPARE(strategies->table()->model()->rowCount(), 24);
        QCOMPARE(strategies->entries().front().draws, 10);
        QVERIFY2(strategies->walkRow()->text().startsWith(
                     QStringLiteral("毎回上位を選んだら（直前5回）　回数 10")),
                 qPrintable(strategies->walkRow()->text()));
        QCOMPARE(strategies->chart()->chart()->series().size(), 3);
        QCOMPARE(static_cast<QLineSeries*>(strategies->chart()->chart()->series()[0])->count(), 10);
        // Narrowings named as their buttons read, returns in percent.
        QSet<QString> names;
        const QAbstractItemModel* m = strategies->table()->model();
        for (int r = 0; r < 24; ++r)
            names.insert(m->index(r, 1).data().toString());
        const QString ret = m->index(0, 7).data().toString();
        QVERIFY2(QRegularExpression(s(u"^\\d+\\.\\d%$")).match(ret).hasMatch(), qPrintable(ret));
        QCOMPARE(names, QSet<QString>({s(u"③S・W絞り"), s(u"③C枠絞り"), s(u"③軸数字絞り"),
                                       s(u"③軸数字絞り２")}));
        // The chart of the tally just run: one point a draw, yen read in 万円.
        QCOMPARE(static_cast<QLineSeries*>(chart->view()->chart()->series()[0])->count(), 10);
        QCOMPARE(chart->view()->chart()->axes(Qt::Vertical).last()->titleText(), s(u"万円"));

        // The result line of a hand-worked tally: 50 boxes bought, one 4,000-yen hit.
        QVERIFY(!window.tallyMoney()->isHidden());
        using Kind = simulate::BaselineDraw::Kind;
        form.tallyDraws = {{101, {Kind::Single, 30, 20, 4000}, true},
                           {102, {Kind::Double, 0, 0, 9000}, false}};
        window.refresh();
        QCOMPARE(
            QTextDocumentFragment::fromHtml(window.tallyMoney()->text()).toPlainText().simplified(),
            QStringLiteral("購入額 ¥10,000 配当 ¥4,000 収支 -¥6,000 回収率 40.0%"));
        QVERIFY(window.tallyMoney()->text().contains(QStringLiteral("color:#c00000")));
        // A run refused for want of draws takes the figures away.
        host.answerNextMessages(1);
        form.Combo1.text = QStringLiteral("51");
        start->click();
        QVERIFY(window.tallyMoney()->isHidden());
        module.files.CloseAll();
    }

    // One point per draw on each line; the win rate looks back 50 draws at most.
    void chartLinesOfAHandMadeTally() {
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

QTEST_MAIN(VerificationTabTest)
#include "VerificationTabTest.moc"
