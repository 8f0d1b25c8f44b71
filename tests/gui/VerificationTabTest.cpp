#include "MainWindow.h"
#include "QtHost.h"
#include "support/TestHistory.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>

namespace {

template <typename W> W* withText(QWidget& root, const QString& text) {
    for (auto* w : root.findChildren<W*>())
        if (w->text() == text)
            return w;
    return nullptr;
}

} // namespace

class VerificationTabTest : public QObject {
    Q_OBJECT

private slots:
    void init() {
        ws = std::make_unique<testing_support::Workspace>();
        ws->writeHistory(testing_support::weekdayDraws(
            200, QStringLiteral("2020/01/06"), {QStringLiteral("1234"), QStringLiteral("1123")}));
        form = std::make_unique<mainwindow::MainForm>(host, module);
        form->Form_Load(false);
        window = std::make_unique<gui::MainWindow>(*form, host);
        window->tabs()->setCurrentIndex(1);
        window->show();
    }
    void cleanup() {
        window.reset();
        form.reset();
        module.files.CloseAll();
        ws.reset();
    }

    void tallyButtonRunsTheTallyAndFillsTheGrid() {
        QRadioButton* byCount = withText<QRadioButton>(*window, QStringLiteral("回数"));
        QVERIFY(byCount);
        QTest::mouseClick(byCount, Qt::LeftButton);
        form->Combo1.text = QStringLiteral("101");
        QPushButton* start = withText<QPushButton>(*window, QStringLiteral("シュミ集計"));
        QVERIFY(start);
        start->click();
        QCOMPARE(form->GrdSM.text(12, 0), QStringLiteral("10件"));
        QCOMPARE(window->gridView(form->GrdSM)->model()->rowCount(), 12);
    }

    void whatIfButtonIsHighlighted() {
        QPushButton* narrowed = withText<QPushButton>(*window, form->Command15.caption);
        QPushButton* all = withText<QPushButton>(*window, form->Command6.caption);
        QVERIFY(narrowed && all);
        narrowed->click();
        QCOMPARE(form->Command15.backColor, 13);
        QVERIFY(narrowed->styleSheet().contains(QStringLiteral("background-color")));
        all->click();
        QCOMPARE(narrowed->styleSheet(), QString());
        QVERIFY(all->styleSheet().contains(QStringLiteral("background-color")));
    }

    void doubleClickOnTTShowsBack100() {
        QLabel* tt = withText<QLabel>(*window, QStringLiteral("TT"));
        QPushButton* back = withText<QPushButton>(*window, QStringLiteral("Back100件"));
        QVERIFY(tt && back);
        QVERIFY(back->isHidden());
        QVERIFY(window->gridView(form->GrdR)->isHidden());
        QTest::mouseDClick(tt, Qt::LeftButton);
        QVERIFY(!back->isHidden());
        QVERIFY(!window->gridView(form->GrdR)->isHidden());
        form->Combo1.text = QStringLiteral("150");
        back->click();
        QCOMPARE(window->gridView(form->GrdR)->model()->index(0, 0).data().toString(),
                 QStringLiteral("50"));
        QTest::mouseDClick(tt, Qt::LeftButton);
        QVERIFY(back->isHidden());
    }

private:
    gui::QtHost host;
    history::AppModule module;
    std::unique_ptr<testing_support::Workspace> ws;
    std::unique_ptr<mainwindow::MainForm> form;
    std::unique_ptr<gui::MainWindow> window;
};

QTEST_MAIN(VerificationTabTest)
#include "VerificationTabTest.moc"
