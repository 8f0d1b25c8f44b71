// The main window over a small history, offscreen.
#include "MainWindow.h"
#include "CardWindows.h"
#include "GridModel.h"
#include "GuideWindow.h"
#include "OwnedWindow.h"
#include "QtHost.h"
#include "Version.h"

#include "support/OpenMainWindow.h"
#include "support/TestHistory.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

using mainwindow::Grd2Col;

namespace {

// Records the sound commands, so the test can see the unload happen.
class CountingHost : public gui::QtHost {
public:
    void soundCommand(const QString& command, const QString&) override { commands.append(command); }
    QStringList commands;
};

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    // A fresh working folder with the small history, current for one test.
    void initTestCase() { QVERIFY(gui::prepareApplication()); }
    void init() {
        ws_ = std::make_unique<testing_support::Workspace>();
        ws_->writeHistory(testing_support::weekdayDraws(
            kDraws, QStringLiteral("2026/05/01"),
            {QStringLiteral("1234"), QStringLiteral("5567"), QStringLiteral("9012")}));
    }
    void cleanup() { ws_.reset(); }

    void showsTheHistoryAndTheNextDraw() {
        auto&& [host, module, form, window] = testing_support::OpenMainWindow<CountingHost>();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QCOMPARE(window.windowTitle(), QStringLiteral("Tessarin " TESSARIN_VERSION));
        auto* history = window.gridView(form.Grd2);
        QVERIFY(history && history->isVisible());
        // The heading row is the table's header; the draws and the next-draw row follow.
        QCOMPARE(history->model()->rowCount(), kDraws + 1);
        QCOMPARE(history->model()->index(kDraws - 1, 1).data().toString(),
                 form.Grd2.text(kDraws, Grd2Col::WinNumber));
        QVERIFY(window.width() <= 1366 && window.height() <= 768);
        // With 手動操作 open everything fits 1366 × 700 without scrolling; below that it scrolls.
        window.manualToggle()->setChecked(true);
        const QSize needed =
            static_cast<QScrollArea*>(window.centralWidget())->widget()->minimumSizeHint();
        QVERIFY2(needed.width() <= 1366 && needed.height() <= 700,
                 qPrintable(QStringLiteral("%1 x %2").arg(needed.width()).arg(needed.height())));
        window.manualToggle()->setChecked(false);

        // ガイド opens the shipped guide in a window of the program, pictures and all,
        // whatever the desktop offers; Qt's own buttons speak Japanese.
        qputenv("BROWSER", "false");
        auto* guide = testing_support::withText<QPushButton>(window, QStringLiteral("ガイド"));
        QVERIFY(guide);
        guide->click();
        auto* shown = gui::ownedWindow<gui::GuideWindow>(&window);
        QVERIFY(shown && shown->isVisible());
        QCOMPARE(shown->windowTitle(), QStringLiteral("Tessarin ガイド"));
        QVERIFY(shown->browser()->document()->toPlainText().contains(QStringLiteral("偶然なら")));
        const QVariant picture = shown->browser()->loadResource(
            QTextDocument::ImageResource, QUrl(QStringLiteral("screenshot.png")));
        QVERIFY(!QImage::fromData(picture.toByteArray()).isNull());

        QMessageBox box(QMessageBox::Question, QString(), QString(),
                        QMessageBox::Yes | QMessageBox::No);
        const QString no = box.button(QMessageBox::No)->text();
        QVERIFY2(no.startsWith(QStringLiteral("いいえ")), qPrintable(no));

        auto* chooser = window.findChild<QComboBox*>(QStringLiteral("Combo1"));
        QVERIFY(chooser);
        QCOMPARE(chooser->count(), form.Combo1.items.size());

        QAbstractItemModelTester(history->model(),
                                 QAbstractItemModelTester::FailureReportingMode::QtTest);
    }

    void closingTheWindowEndsTheProgram() {
        auto&& [host, module, form, window] = testing_support::OpenMainWindow<CountingHost>();
        const int soundCommandsAfterLoad = host.commands.size();
        gui::CardWindows cards(form, host, module); // a card window left open does not matter
        cards.openTransfer();
        QTimer::singleShot(0, &window, [&window] { window.close(); });
        QTimer::singleShot(10000, &window, [] { QApplication::exit(1); }); // failsafe
        QCOMPARE(QApplication::exec(), 0);
        QCOMPARE(host.commands.size(), soundCommandsAfterLoad + 1);
        QCOMPARE(host.commands.last(), QStringLiteral("Close"));
        QVERIFY(!module.files.isHistOpen());
    }

private:
    static constexpr int kDraws = 60;
    std::unique_ptr<testing_support::Workspace> ws_;
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
