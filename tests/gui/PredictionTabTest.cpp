// The prediction tab as a user works it: pick the pair, press ①, ② and ③, see the results.
#include "support/OpenMainWindow.h"
#include "support/PredictionHistory.h"

#include <QAbstractButton>
#include <QtTest>

using namespace testing_support;

class PredictionTabTest : public QObject {
    Q_OBJECT

private slots:
    void pressingTheStepsShowsEveryResult() {
        Workspace ws;
        ws.writeHistory(handWorkedHistory());
        auto&& [host, module, form, window] = OpenMainWindow<>();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        form.Combo1.text = QStringLiteral("53");
        window.run([&] { form.Combo1_Click(); });
        for (const char16_t* text : {u"更に絞る", u"AB", u"①集計", u"②集計", u"③S・W絞り"}) {
            auto* b = withText<QAbstractButton>(window, QString::fromUtf16(text));
            QVERIFY2(b, qPrintable(QString::fromUtf16(text)));
            b->click();
        }

        // The basic S list shows its 28 candidates and one empty row, the hit light red and
        // in view; the narrowed S list shows what ③ kept.
        gui::GridView* basicS = window.gridView(form.GrdSS);
        QCOMPARE(basicS->model()->rowCount(), 29);
        const QModelIndex hit = basicS->model()->index(17, 1);
        QCOMPARE(hit.data().toString(), QStringLiteral("2579"));
        QCOMPARE(hit.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 150, 150));
        QVERIFY(basicS->viewport()->rect().intersects(basicS->visualRect(hit)));
        gui::GridView* narrowS = window.gridView(form.GrdSS2);
        QCOMPARE(narrowS->model()->index(0, 1).data().toString(), QStringLiteral("0257"));
        QCOMPARE(narrowS->model()->rowCount(), form.narrowCountS + 1);
    }
};

QTEST_MAIN(PredictionTabTest)
#include "PredictionTabTest.moc"
