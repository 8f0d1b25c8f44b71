// A smoke test of the results window: typing reaches the form and a button fills a grid.
#include "DownloadWindow.h"
#include "QtHost.h"

#include "support/TestHistory.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace testing_support;

class DownloadWindowTest : public QObject {
    Q_OBJECT

private slots:
    void typingReachesTheFormAndListingFillsTheGrid();
};

void DownloadWindowTest::typingReachesTheFormAndListingFillsTheGrid() {
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

QTEST_MAIN(DownloadWindowTest)
#include "DownloadWindowTest.moc"
