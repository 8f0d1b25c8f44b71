// The card windows driven by real clicks and key presses; the ledger in the window: a card
// print recorded from the command line and a ticket entered by hand, resolved by an import and
// by the catch-up (whose message names their results), shown in the 購入記録 window; a print
// from the window recorded after its question.
#include "LedgerWindow.h"
#include "CardWindows.h"
#include "OwnedWindow.h"
#include "Program.h"
#include "QtHost.h"

#include "support/CliRun.h"
#include "support/LoopbackServer.h"
#include "support/TestHistory.h"

#include "cardprint/PaintedPrinter.h"

#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QPdfWriter>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QtTest>

using cardprint::PrintListCol;
using namespace testing_support;

class LedgerWindowTest : public QObject {
    Q_OBJECT

private slots:
    void cardCellCyclingAndTyping();
    void recordedPrintsResolveInTheWindow();
};

void LedgerWindowTest::cardCellCyclingAndTyping() {
    Workspace ws;
    ws.module.files.GetAppDir();
    gui::QtHost host;
    gui::CardWindows cards(*ws.form, host, ws.module);
    ws.form->LabKai.caption = QStringLiteral("第7055回");
    ws.form->GrdSS.setText(1, mainwindow::ListCol::Number, QStringLiteral("0256")); // predicted
    ws.form->basicCountS = 1;
    cards.transfer.Check1[0].value = 1;
    cards.openTransfer();
    QVERIFY(cards.transferWindow->isVisible());

    // Pressing the transfer label shows the pressed look; releasing it transfers.
    QLabel* action = cards.transferWindow->view();
    QTest::mousePress(action, Qt::LeftButton);
    QCOMPARE(cards.transfer.Shape1.fill(), 0x000000u);
    QTest::mouseRelease(action, Qt::LeftButton);
    QCOMPARE(cards.transfer.Shape1.fill(), 0x252525u);
    QVERIFY(cards.printListWindow->isVisible() && !cards.transferWindow->isVisible());
    // Leaving the print-position window that the first opening showed hides it.
    QVERIFY(cards.positionWindow->isVisible());
    QEvent leave(QEvent::WindowDeactivate);
    QApplication::sendEvent(cards.positionWindow.get(), &leave);
    QVERIFY(!cards.positionWindow->isVisible());
    // A handler that fails leaves the windows as they were, answering the next one.
    QVERIFY_THROWS_EXCEPTION(int, cards.run([] { throw 1; }, &*cards.printListWindow));
    QVERIFY(!cards.running() && !host.parent);

    QTableView* view = cards.printListWindow->view();
    const ui::Grid& list = cards.printList.PrintList;
    const auto click = [view](int gridRow, int col) {
        const QRect cell = view->visualRect(view->model()->index(gridRow - 1, col));
        QVERIFY(cell.isValid());
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    };
    const auto cycle = [&](int col, int clicks) { // a cell of row 7, after each click
        QStringList seen;
        for (int i = 0; i < clicks; ++i) {
            click(7, col);
            seen << list.text(7, col);
        }
        return seen;
    };
    QCOMPARE(cycle(PrintListCol::BuyWay, 4), (QStringList{"S", "B", "T", "S"}));
    QCOMPARE(cycle(PrintListCol::Print, 2), (QStringList{s(u"○"), s(u"×")}));

    click(7, 1);
    QTest::keyClicks(view, QStringLiteral("1x234"));
    QCOMPARE(gridRows(list, 7, 7, PrintListCol::DigitA + 4)[0].section(u'|', 1),
             QStringLiteral("1|2|3|4"));
    QCOMPARE(list.selectedCell(), std::make_pair(8, 1));
    QCOMPARE(view->currentIndex(), view->model()->index(7, 1));
}

void LedgerWindowTest::recordedPrintsResolveInTheWindow() {
    Workspace ws;
    auto records = bundledHistory(); // draws 1 to 7054; 7054 is drawn only by the import below
    records.pop_back();
    ws.writeHistoryRecords(records);
    writeFile(ws.path("list.csv"), "7759\r\n1234\r\n");
    const QStringList print{"cards", ws.path("list.csv"), "--pdf", ws.path("cards.pdf"), "--buy",
                            "B",     "--record"};
    const CliRun recorded = runCli(print);
    QCOMPARE(recorded.code, 0);
    QVERIFY(recorded.out.contains(QStringLiteral("第7054回の購入として 2 口を記録しました。")));
    QCOMPARE(runCli({"tickets", "add", "--draw", "7054", "--type", "S", "9577"}).code, 0);
    QCOMPARE(runCli({"tickets", "add", "--draw", "7055", "--type", "S", "0042"}).code, 0);
    writeFile(ws.path("list.csv"), "1111\r\n");
    QFile::remove(ws.path("cards.pdf"));
    QCOMPARE(runCli(print).code, 2); // a box of 1111 is not sold
    QVERIFY(!QFile::exists(ws.path("cards.pdf")));
    QCOMPARE(runCli({"import"}).code, 0); // the bundled history, which holds draw 7054

    // The catch-up brings draw 7055, 0042, with the test site's straight payout of 986,400.
    LoopbackServer site;
    site.serve(QStringLiteral("/numbers.csv"), indexFile(2, {7055}));
    site.serve(QStringLiteral("/A1027055.CSV"),
               resultFile(7055, reiwaDate(QDate(2026, 8, 24)), QStringLiteral("0042")));
    gui::Program p;
    p.results.useBaseAddress(site.baseUrl());
    p.host.answerNextMessages(2);
    QVERIFY(p.start());
    QTRY_VERIFY(!p.catchUpQueued());
    QCOMPARE(p.host.answered.size(), std::size_t(2));
    QCOMPARE(p.host.answered[1].text, QStringLiteral("第7055回: 1口中 1口当選 ¥986,400"));

    for (auto* b : p.window->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("購入記録"))
            QTest::mouseClick(b, Qt::LeftButton);
    auto* window = gui::ownedWindow<gui::LedgerWindow>(p.window.get());
    QVERIFY(window && window->isVisible());
    const ui::Grid& list = p.ledgerForm.Tickets;
    const auto rowTexts = [&list] { return gridRows(list, 1); };
    QCOMPARE(
        rowTexts(),
        (QStringList{"4|7055|0042|S|1|¥200|当選|¥986,400", "3|7054|9577|S|1|¥200|当選|¥2,128,400",
                     "2|7054|1234|B|1|¥200|はずれ|", "1|7054|7759|B|1|¥200|当選|¥177,300"}));
    QVERIFY2(p.ledgerForm.LabSummary.caption.startsWith(QStringLiteral(
                 "購入額 ¥800　当選金 ¥3,292,100　収支 +¥3,291,300　回収率 411512.5%")),
             qPrintable(p.ledgerForm.LabSummary.caption));
    const auto lines = window->chart()->chart()->series();
    QCOMPARE(lines.size(), 2);
    QCOMPARE(static_cast<QLineSeries*>(lines[0])->at(1), QPointF(7055, 3292100 - 800));

    // Filtered to the won ones, then back to all; a ticket removed after saying yes.
    const auto radios = window->findChildren<QRadioButton*>();
    const auto choose = [&radios](int k) { // on the round mark: the rest of the row is air
        QTest::mouseClick(radios[k], Qt::LeftButton, {}, QPoint(6, radios[k]->height() / 2));
    };
    choose(1);
    QCOMPARE(list.rows(), 4);
    choose(2);
    gui::GridView* view = window->list();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                      view->visualRect(view->model()->index(2, 0)).center());
    p.host.answerNextQuestions({true});
    QTest::mouseClick(window->buttonFor(p.ledgerForm.CommandRemove), Qt::LeftButton);
    QCOMPARE(p.host.answered.back().text,
             QStringLiteral("ID 2（第7054回 1234 B 1口）の購入記録を削除しますか？"));
    QCOMPARE(list.rows(), 4);

    // A print from the window is recorded for the draw after 7055 when the answer is yes.
    auto& cards = p.cards->printList;
    cards.Form_Load();
    QVERIFY(cards.CsvIn(ws.path("list.csv")));
    cards.Command2_Click(0); // every row printed, as S (no buy type set)
    for (int round = 0; round < 2; ++round) {
        p.host.nextPrinter = [&ws] {
            auto pdf = std::make_unique<QPdfWriter>(ws.path("window.pdf"));
            return std::make_unique<cardprint::PaintedPrinter>(std::move(pdf));
        };
        p.host.answerNextQuestions({true, round == 0}); // the print, then the record
        p.cards->run([&cards] { cards.Command6_Click(); }, nullptr);
    }
    QCOMPARE(p.host.answered.back().text,
             QStringLiteral("この 1 口を第7056回の購入として記録しますか？"));
    QCOMPARE(rowTexts().first(), QStringLiteral("5|7056|1111|S|1|¥200|抽選待ち|"));
    QCOMPARE(list.rows(), 5);
}

QTEST_MAIN(LedgerWindowTest)
#include "LedgerWindowTest.moc"
