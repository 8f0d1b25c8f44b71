// The results window's view: the text boxes write through to the form, the buttons run the
// form's handlers and the grids show what they wrote.
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
    ws.writeHistory(weekdayDraws(12, QStringLiteral("2026/08/03"), {QStringLiteral("0815")}));
    download::DownloadForm form(ws.host, ws.module, *ws.form);
    form.Form_Load();
    gui::QtHost host;
    gui::DownloadWindow window(form, host);
    window.show();
    QCOMPARE(window.windowTitle(), QStringLiteral("ナンバーズ４抽選結果ダウンロード"));

    QLineEdit* date = window.editFor(form.Text1[0]);
    QVERIFY(date);
    QCOMPARE(date->text(), QStringLiteral("2026/08/24"));
    date->selectAll();
    QTest::keyClicks(date, QStringLiteral("2018/01/01"));
    QCOMPARE(form.Text1[0].text, QStringLiteral("2018/01/01"));
    form.Text1[1].text = QStringLiteral("00:00:00");
    QTest::mouseClick(window.buttonFor(form.Command1), Qt::LeftButton);
    QCOMPARE(form.Label2.caption, QStringLiteral("1514732400"));

    QTest::mouseClick(window.buttonFor(form.Command5), Qt::LeftButton);
    auto* listing = window.gridView(form.Grd2);
    QVERIFY(listing);
    QCOMPARE(listing->model()->rowCount(), 12);
    QCOMPARE(listing->model()->headerData(22, Qt::Horizontal).toString(), QStringLiteral("当flg"));
    QCOMPARE(listing->model()->index(0, 1).data().toString(), QStringLiteral("12"));
    QCOMPARE(window.gridView(form.Grd1)->model()->headerData(8, Qt::Horizontal).toString(),
             QStringLiteral("配当"));
}

QTEST_MAIN(DownloadWindowTest)
#include "DownloadWindowTest.moc"
