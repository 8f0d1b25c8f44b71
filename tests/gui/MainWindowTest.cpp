// The main window offscreen: over a small history, the prediction tab as a user works it, and
// the camera picture.
#include "MainWindow.h"
#include "CardWindows.h"
#include "GridModel.h"
#include "GuideWindow.h"
#include "OwnedWindow.h"
#include "QtHost.h"
#include "Version.h"

#include "support/OpenMainWindow.h"
#include "support/PredictionHistory.h"

#include <QAbstractButton>
#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
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

    // Pick the pair, press ①, ② and ③: the basic S list shows its 28 candidates and one
    // empty row, the hit light red and in view; the narrowed S list shows what ③ kept.
    void pressingThePredictionStepsShowsEveryResult() {
        ws_->writeHistory(testing_support::handWorkedHistory());
        auto&& [host, module, form, window] = testing_support::OpenMainWindow<>();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        form.Combo1.text = QStringLiteral("53");
        window.run([&] { form.Combo1_Click(); });
        for (const char16_t* text : {u"更に絞る", u"AB", u"①集計", u"②集計", u"③S・W絞り"}) {
            auto* b = testing_support::withText<QAbstractButton>(window, QString::fromUtf16(text));
            QVERIFY2(b, qPrintable(QString::fromUtf16(text)));
            b->click();
        }
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

    // The camera picture: an image of the window (or the screen) lands on the clipboard.
    void cameraCopiesAnImage() {
        QWidget window;
        window.resize(240, 160);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        gui::QtHost host;
        host.parent = &window;
        history::AppModule module;
        mainwindow::MainForm f(host, module);
        bool pressedDuringCapture = false;
        host.afterEvents = [&] {
            pressedDuringCapture = pressedDuringCapture || f.PicCame[1].visible;
        };
        QGuiApplication::clipboard()->setImage(QImage(10, 10, QImage::Format_RGB32));

        f.PicCame_Click(0); // the window, pressed while it is taken, with the shutter's sound
        QCOMPARE(QGuiApplication::clipboard()->image().size(),
                 window.size() * window.devicePixelRatio());
        QVERIFY(pressedDuringCapture && f.PicCame[0].visible && !f.PicCame[1].visible);
        QCOMPARE(f.MMControl1.lastCommand, QStringLiteral("Sound"));
        // Qt's sample cache keeps a sound dropped while it is read until the program ends.
        QTRY_VERIFY(!host.soundLoading());

        f.HardCopy(false); // the whole screen
        const QScreen* screen = QGuiApplication::primaryScreen();
        QCOMPARE(QGuiApplication::clipboard()->image().size(),
                 screen->size() * screen->devicePixelRatio());
    }

private:
    static constexpr int kDraws = 60;
    std::unique_ptr<testing_support::Workspace> ws_;
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
