// The card windows driven by real clicks and key presses.
#include "CardWindows.h"
#include "QtHost.h"

#include "support/TestHistory.h"

#include <QLabel>
#include <QTableView>
#include <QtTest>

using cardprint::PrintListCol;
using namespace testing_support;

class CardWindowsTest : public QObject {
    Q_OBJECT

private slots:
    void cellCyclingAndTyping();
};

void CardWindowsTest::cellCyclingAndTyping() {
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

QTEST_MAIN(CardWindowsTest)
#include "CardWindowsTest.moc"
