// The results window's view: every control of the form is shown with its caption, the text
// boxes write through to the form, and the buttons run the form's handlers.
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
    void showsEveryButtonWithItsCaption_data();
    void showsEveryButtonWithItsCaption();
    void typingReachesTheFormAndListingFillsTheGrid();
};

void DownloadWindowTest::showsEveryButtonWithItsCaption_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    const char16_t* captions[] = {u"計算実行",
                                  u"Prefix番号取得",
                                  u"抽選結果取得",
                                  u"取得抽選結果表示",
                                  u"既存抽選結果表示",
                                  u"PC内最新データ回",
                                  u"上記データを現在のデータに追加",
                                  u"開　始",
                                  u"生成実行"};
    for (int i = 0; i < 9; ++i)
        QTest::newRow(qPrintable(QStringLiteral("Command%1").arg(i + 1)))
            << i << QString::fromUtf16(captions[i]);
}

void DownloadWindowTest::showsEveryButtonWithItsCaption() {
    QFETCH(int, index);
    QFETCH(QString, caption);
    Workspace ws;
    download::DownloadForm form(ws.host, ws.module, *ws.form);
    form.Form_Load();
    gui::QtHost host;
    gui::DownloadWindow window(form, host);
    QCOMPARE(window.windowTitle(), QStringLiteral("ナンバーズ４抽選結果ダウンロード"));
    const ui::Button* buttons[] = {&form.Command1, &form.Command2, &form.Command3,
                                   &form.Command4, &form.Command5, &form.Command6,
                                   &form.Command7, &form.Command8, &form.Command9};
    QPushButton* shown = window.buttonFor(*buttons[index]);
    QVERIFY(shown);
    QCOMPARE(shown->text(), caption);
}

void DownloadWindowTest::typingReachesTheFormAndListingFillsTheGrid() {
    Workspace ws;
    ws.writeHistory(weekdayDraws(12, QStringLiteral("2026/08/03"), {QStringLiteral("0815")}));
    download::DownloadForm form(ws.host, ws.module, *ws.form);
    form.Form_Load();
    gui::QtHost host;
    gui::DownloadWindow window(form, host);
    window.show();

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
