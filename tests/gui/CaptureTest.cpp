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
    void copiesAnImage();
};

void CaptureTest::copiesAnImage() {
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

    f.PicCame_Click(0); // the window, pressed while it is taken, with the shutter's sound
    QCOMPARE(QGuiApplication::clipboard()->image().size(),
             window.size() * window.devicePixelRatio());
    QVERIFY(pressedDuringCapture && f.PicCame[0].visible && !f.PicCame[1].visible);
    QCOMPARE(f.MMControl1.lastCommand, QStringLiteral("Sound"));

    f.HardCopy(false); // the whole screen
    const QScreen* screen = QGuiApplication::primaryScreen();
    QCOMPARE(QGuiApplication::clipboard()->image().size(),
             screen->size() * screen->devicePixelRatio());
}

QTEST_MAIN(CaptureTest)
#include "CaptureTest.moc"
