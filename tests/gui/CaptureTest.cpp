// The camera picture: an image of the window (or the screen) lands on the clipboard.
#include "QtHost.h"
#include "mainwindow/MainForm.h"

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QScreen>
#include <QtTest>

class CaptureTest : public QObject {
    Q_OBJECT
private slots:
    void copiesAnImage_data();
    void copiesAnImage();
};

void CaptureTest::copiesAnImage_data() {
    QTest::addColumn<bool>("camera"); // the camera picture, or HardCopy of the whole screen
    QTest::newRow("camera") << true;
    QTest::newRow("screen") << false;
}

void CaptureTest::copiesAnImage() {
    QFETCH(bool, camera);
    QWidget window;
    window.resize(240, 160);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    gui::QtHost host;
    host.parent = &window;
    history::AppModule module;
    mainwindow::MainForm f(host, module);
    bool pressedDuringCapture = false;
    host.afterEvents = [&] { pressedDuringCapture = pressedDuringCapture || f.PicCame[1].visible; };
    QGuiApplication::clipboard()->setImage(QImage(10, 10, QImage::Format_RGB32));

    if (camera)
        f.PicCame_Click(0);
    else
        f.HardCopy(false);

    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize want = camera ? window.size() * window.devicePixelRatio()
                              : screen->size() * screen->devicePixelRatio();
    QCOMPARE(QGuiApplication::clipboard()->image().size(), want);
    if (camera) {
        QVERIFY(pressedDuringCapture);
        QVERIFY(f.PicCame[0].visible);
        QVERIFY(!f.PicCame[1].visible);
        QCOMPARE(f.MMControl1.lastCommand, QStringLiteral("Sound"));
    }
}

QTEST_MAIN(CaptureTest)
#include "CaptureTest.moc"
