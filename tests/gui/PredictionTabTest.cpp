// The prediction tab as a user works it: pick the pair, press ①, ② and ③, see the results.
#include "MainWindow.h"
#include "QtHost.h"

#include "support/PredictionHistory.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace testing_support;

class PredictionTabTest : public QObject {
    Q_OBJECT

private:
    template <typename T> static T* find(QWidget& window, const QString& text) {
        for (T* w : window.findChildren<T*>())
            if (w->text() == text)
                return w;
        return nullptr;
    }

private slots:
    void pressingTheStepsShowsEveryResult() {
        Workspace ws;
        ws.writeHistory(handWorkedHistory());
        gui::QtHost host;
        history::AppModule module;
        mainwindow::MainForm form(host, module);
        form.Form_Load(false);
        gui::MainWindow window(form, host);
        window.resize(1340, 700);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.minimumSizeHint().width() <= 1366);
        QVERIFY(window.minimumSizeHint().height() <= 768);

        form.Combo1.text = QStringLiteral("53");
        window.run([&] { form.Combo1_Click(); });
        QCheckBox* more = find<QCheckBox>(window, QStringLiteral("更に絞る"));
        QRadioButton* ab = find<QRadioButton>(window, QStringLiteral("AB"));
        QVERIFY(more && ab && find<QCheckBox>(window, QStringLiteral("C枠　２個絞り")));
        more->click();
        ab->click();
        QCOMPARE(form.Check1.value, 1);
        QCOMPARE(form.Option2.selected, 1);

        for (const char16_t* step : {u"①集計", u"②集計", u"③S・W絞り"}) {
            QPushButton* b = find<QPushButton>(window, QString::fromUtf16(step));
            QVERIFY(b);
            b->click();
        }
        QVERIFY(find<QLabel>(window, QStringLiteral("第53回")));
        QVERIFY(find<QLabel>(window, QStringLiteral("9725")));
        QCOMPARE(form.LabJiku[0].caption, QStringLiteral("4"));

        // The basic S list shows its 28 candidates and one empty row; the hit at row 18
        // shows light red and stands in view.
        gui::GridView* basicS = window.gridView(form.GrdSS);
        QCOMPARE(basicS->model()->rowCount(), 29);
        const QModelIndex hit = basicS->model()->index(17, 1);
        QCOMPARE(hit.data().toString(), QStringLiteral("2579"));
        QCOMPARE(hit.data(Qt::BackgroundRole).value<QBrush>().color(), QColor(255, 150, 150));
        QVERIFY(basicS->viewport()->rect().intersects(basicS->visualRect(hit)));
        gui::GridView* narrowS = window.gridView(form.GrdSS2);
        QCOMPARE(narrowS->model()->rowCount(), form.narrowCountS + 1);
        QVERIFY(form.narrowCountS > 0);
    }
};

QTEST_MAIN(PredictionTabTest)
#include "PredictionTabTest.moc"
