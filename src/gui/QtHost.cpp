#include "QtHost.h"

#include "cardprint/PaintedPrinter.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>
#include <QSoundEffect>
#include <QUrl>

namespace gui {

void QtHost::showMessage(const QString& text, const QString& title) {
    if (afterEvents)
        afterEvents();
    QMessageBox::information(parent, title, text, QMessageBox::Ok);
}

void QtHost::processEvents() {
    if (afterEvents)
        afterEvents();
    QApplication::processEvents();
}

std::unique_ptr<ui::Printer> QtHost::choosePrinter() {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return std::make_unique<cardprint::PaintedPrinter>(std::move(printer));
}

namespace {

// "caption|patterns|caption|patterns" as Qt's filter list; the captions name their patterns.
QStringList qtFilters(const ui::FileDialog& dialog) {
    const QStringList parts = dialog.filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts[i];
    return filters;
}

QString chooseFile(QWidget* parent, const ui::FileDialog& dialog, QFileDialog::AcceptMode mode) {
    QFileDialog chooser(parent);
    chooser.setAcceptMode(mode);
    chooser.setFileMode(mode == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                        : QFileDialog::ExistingFile);
    const QStringList filters = qtFilters(dialog);
    chooser.setNameFilters(filters);
    if (dialog.filterIndex >= 1 && dialog.filterIndex <= filters.size())
        chooser.selectNameFilter(filters[dialog.filterIndex - 1]);
    // The file name is taken as typed: the caller decides about the extension.
    if (chooser.exec() != QDialog::Accepted || chooser.selectedFiles().isEmpty())
        return QString();
    return chooser.selectedFiles().first();
}

} // namespace

QString QtHost::saveFileName(const ui::FileDialog& dialog) {
    return chooseFile(parent, dialog, QFileDialog::AcceptSave);
}

QString QtHost::openFileName(const ui::FileDialog& dialog) {
    return chooseFile(parent, dialog, QFileDialog::AcceptOpen);
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
