// Regeneration of the history file from the operator's CSV (numbers4_2.csv).
#include "DownloadForm.h"
#include "ImportCsv.h"

#include "history/FolderLock.h"
#include "mainwindow/MainForm.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace download {

DownloadForm::DownloadForm(ui::Host& host_, history::AppModule& module_,
                           mainwindow::MainForm& mainForm_)
    : host(host_), module(module_), files(module_.files), mainForm(mainForm_) {}

bool DownloadForm::Command8_Click(const QString& importName) {
    if (!rebuildHistory(importName))
        return false;
    host.messageBox(QStringLiteral("生成終了しました。"), QStringLiteral("終了"));
    // The main window shows the new history at once (after a damaged one it showed none).
    mainForm.historyDamaged = false;
    refreshMainWindow();
    return true;
}

bool DownloadForm::rebuildHistory(const QString& importName) {
    files.HistPath = files.appFile(Label4[1].caption);
    const QDir here(QFileInfo(files.HistPath).absolutePath());

    try {
        const history::FolderLock lock(here.path(), files.lockWaitMs);
        QFile input(here.filePath(importName));
        if (!input.open(QIODevice::ReadOnly)) {
            host.messageBox(QStringLiteral("取込File「%1」を開けません。\n%2")
                                .arg(importName, input.errorString()));
            return false;
        }

        // The new history is written beside the old one under a unique name, each line
        // straight at its record (the first line's draw number is the count), and renamed
        // over it only when every line was read: any fault leaves the old file untouched.
        QSaveFile out(files.HistPath);
        if (!out.open(QIODevice::WriteOnly))
            throw history::FileError(
                QStringLiteral("%1 を作れません。\n%2").arg(Label4[1].caption, out.errorString()));
        ImportReader reader(input, importName, host.now().date());
        history::DrawRecord rec;
        while (reader.next(rec)) {
            const QByteArray bytes = rec.encode();
            if (!out.seek(static_cast<qint64>(rec.DrawNo - 1) * history::DrawRecord::kSize) ||
                out.write(bytes) != bytes.size())
                throw history::FileError(QStringLiteral("%1 に書き込めません。\n%2")
                                             .arg(Label4[1].caption, out.errorString()));
        }
        if (!reader.error().isEmpty()) {
            out.cancelWriting();
            host.messageBox(reader.error());
            return false;
        }
        history::syncFile(out, files.HistPath);
        if (!out.commit())
            throw history::FileError(QStringLiteral("%1 を置き換えられません。\n%2")
                                         .arg(Label4[1].caption, out.errorString()));
        history::syncFolder(here.path());
    } catch (const history::FileError& e) {
        // QSaveFile drops its temporary file when it is not committed.
        host.messageBox(e.message());
        return false;
    }
    return true;
}

} // namespace download
