#include "QtHost.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMessageBox>
#include <QPixmap>
#include <QScreen>
#include <QSoundEffect>
#include <QUrl>

namespace gui {

void QtHost::messageBox(const QString& text, const QString& title) {
    if (afterEvents)
        afterEvents();
    QString shown = text;
    shown.replace(u'\r', u'\n');
    QMessageBox::information(parent, title.isEmpty() ? ui::applicationTitle() : title, shown,
                             QMessageBox::Ok);
}

void QtHost::processEvents() {
    if (afterEvents)
        afterEvents();
    QApplication::processEvents();
}

// ---- exports, window capture, shutter sound ------------------------------------------------

QtHost::QtHost() = default;
QtHost::~QtHost() = default;

bool QtHost::openFile(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

void QtHost::clearClipboard() {
    QGuiApplication::clipboard()->clear();
}

void QtHost::copyScreenImage(bool windowOnly) {
    QPixmap image;
    if (windowOnly && parent)
        image = parent->window()->grab();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        image = screen->grabWindow(0);
    if (!image.isNull())
        QGuiApplication::clipboard()->setImage(image.toImage());
}

void QtHost::soundCommand(const QString& command, const QString& fileName) {
    if (command == QStringLiteral("Open")) {
        if (!QFileInfo(fileName).isFile())
            return;
        if (!sound_) {
            sound_ = std::make_unique<QSoundEffect>();
            QObject::connect(sound_.get(), &QSoundEffect::playingChanged, sound_.get(), [this] {
                if (!sound_->isPlaying() && soundDone)
                    soundDone();
            });
        }
        sound_->setSource(QUrl::fromLocalFile(QFileInfo(fileName).absoluteFilePath()));
    } else if (sound_ && command == QStringLiteral("Sound")) {
        sound_->play();
    } else if (sound_ && command == QStringLiteral("Close")) {
        sound_->stop();
    }
}

} // namespace gui
