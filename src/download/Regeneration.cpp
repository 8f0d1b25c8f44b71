// Regeneration of the history file from the operator's CSV (numbers4_2.csv).
#include "DownloadForm.h"
#include "ImportCsv.h"

#include "mainwindow/MainForm.h"

#include <QDir>
#include <QFile>

#include <filesystem>

namespace download {

DownloadForm::DownloadForm(ui::Host& host_, history::AppModule& module_,
                           mainwindow::MainForm& mainForm_)
    : host(host_), module(module_), files(module_.files), mainForm(mainForm_) {}

bool DownloadForm::Command8_Click(const QString& importName) {
    const QDir here = QDir::current();
    files.TmpPath = here.filePath(QStringLiteral("number414.tmp"));
    files.HistPath = here.filePath(Label4[1].caption);

    QFile input(here.filePath(importName));
    if (!input.open(QIODevice::ReadOnly)) {
        host.messageBox(QStringLiteral("取込File「%1」を開けません。\n%2")
                            .arg(importName, input.errorString()));
        return false;
    }
    const ImportResult parsed = parseImportCsv(input.readAll(), importName);
    input.close();
    if (!parsed.error.isEmpty()) {
        host.messageBox(parsed.error);
        return false;
    }

    // Oldest draw first into a fresh temporary file; the history is not touched yet.
    try {
        files.CloseAll();
        QFile::remove(files.TmpPath);
        files.OpenNumberTmp();
        const int total = static_cast<int>(parsed.records.size());
        for (int n = 1; n <= total; ++n) {
            files.TmpRec = parsed.records[total - n];
            files.writeTmp(n);
        }
        files.CloseAll();
    } catch (const history::FileError& e) {
        files.CloseAll();
        QFile::remove(files.TmpPath);
        host.messageBox(e.message());
        return false;
    }

    std::error_code ec;
    std::filesystem::rename(files.TmpPath.toStdString(), files.HistPath.toStdString(), ec);
    if (ec) {
        QFile::remove(files.TmpPath);
        host.messageBox(QStringLiteral("%1 を置き換えられません。\n%2")
                            .arg(Label4[1].caption, QString::fromStdString(ec.message())));
        return false;
    }
    host.messageBox(QStringLiteral("生成終了しました。"), QStringLiteral("終了"));
    return true;
}

} // namespace download
