// The main window's export pictures, the camera and the guide link.
#include "SheetCells.h"

#include "history/DataFolder.h"
#include "mainwindow/MainForm.h"

#include <QDir>
#include <QFile>

#include <atomic>

namespace mainwindow {

namespace {

QString dataFolder(const MainForm& f) {
    return f.files.AppDir.isEmpty() ? history::dataFolder() : f.files.AppDir;
}

// Writes the sheet into a new copy of its template in the data folder and opens it with the
// desktop's spreadsheet program. Earlier copies are never overwritten. The cells are read
// here; the workbook is written off the window's thread, which keeps painting meanwhile.
void exportAndOpen(MainForm& f, exports::Sheet sheet) {
    const bool prediction = sheet == exports::Sheet::Prediction;
    const QString dir = dataFolder(f);
    const QString outPath = exports::unusedPath(dir, prediction ? exports::predictionFileName(f)
                                                                : exports::tallyFileName(f));
    try {
        const exports::SheetExport prepared = exports::prepareSheet(sheet, f, dir, outPath);
        std::atomic_bool stop{false};
        const bool finished =
            f.host.runInBackground([&prepared] { exports::writeSheet(prepared); },
                                   prediction ? QStringLiteral("予想表を書き出し中…")
                                              : QStringLiteral("集計表を書き出し中…"),
                                   stop);
        // Stopped: the copy the user no longer wants is not left behind.
        if (!finished) {
            QFile::remove(outPath);
            return;
        }
    } catch (const exports::WorkbookError& e) {
        f.host.messageBox(e.message());
        return;
    }
    if (!f.host.openFile(outPath))
        f.host.messageBox(
            QStringLiteral("表計算ソフトで開けませんでした。ブックは保存してあります: %1")
                .arg(QDir::toNativeSeparators(outPath)));
}

} // namespace

void MainForm::Image3_Click() {
    exportAndOpen(*this, exports::Sheet::Prediction);
}

void MainForm::Image4_Click() {
    exportAndOpen(*this, exports::Sheet::Tally);
}

void MainForm::Image1_Click() {
    // Like any link, a guide that cannot be shown is not worth a message.
    const QString guide = history::shippedFile(QStringLiteral("index.html"), dataFolder(*this));
    if (!guide.isEmpty())
        host.showGuide(guide);
}

void MainForm::HardCopy(bool blnTargetWin) {
    host.processEvents();
    host.clearClipboard();
    // Two passes let the window show its current state (the pressed camera) before the image.
    if (blnTargetWin) {
        host.processEvents();
        host.processEvents();
    }
    host.copyScreenImage(blnTargetWin);
}

void MainForm::PicCame_Click(int index) {
    Q_UNUSED(index); // both pictures do the same
    PicCame[0].visible = false;
    PicCame[1].visible = true;
    HardCopy(true);
    PicCame[0].visible = true;
    PicCame[1].visible = false;

    // A missing sound file or sound device plays nothing; the host says nothing about it.
    const QString sound = history::shippedFile(QStringLiteral("shatter.wam"), dataFolder(*this));
    MMControl1.notify = false;
    MMControl1.wait = true;
    MMControl1.fileName = sound.isEmpty() ? files.appFile(QStringLiteral("shatter.wam")) : sound;
    MMControl1.lastCommand = QStringLiteral("Open");
    host.soundCommand(MMControl1.lastCommand, MMControl1.fileName);
    MMControl1.notify = true;
    MMControl1.wait = false;
    MMControl1.lastCommand = QStringLiteral("Sound");
    host.soundCommand(MMControl1.lastCommand, MMControl1.fileName);
}

void MainForm::MMControl1_Done() {
    MMControl1.notify = false;
    MMControl1.wait = true;
    MMControl1.lastCommand = QStringLiteral("Close");
    host.soundCommand(MMControl1.lastCommand, MMControl1.fileName);
}

} // namespace mainwindow
