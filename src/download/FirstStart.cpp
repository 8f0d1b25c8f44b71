#include "FirstStart.h"

#include "DownloadForm.h"

#include "history/DataFolder.h"
#include "ui/RecordingHost.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace download {

namespace {

QString oneLine(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral(" "))
        .replace(u'\n', u' ')
        .replace(u'\r', u' ')
        .simplified();
}

} // namespace

FirstStart seedFirstStart(ui::Host& host, history::AppModule& module,
                          mainwindow::MainForm& mainForm) {
    auto& files = module.files;
    files.GetAppDir();
    const QString folder = files.AppDir;
    const QString historyPath = files.appFile(history::historyFileName());
    if (QFileInfo(historyPath).size() > 0)
        return FirstStart::NotNeeded;

    const QString shown = QDir::toNativeSeparators(folder);
    const bool hadFolder = QFileInfo(folder).isDir();
    QString copy;
    auto fail = [&](const QString& why) {
        if (!copy.isEmpty())
            QFile::remove(copy);
        if (!hadFolder)
            QDir().rmdir(folder);
        host.messageBox(
            QStringLiteral(
                "データフォルダ %1 に抽選履歴を作れませんでした（%2）。何も変更していません。")
                .arg(shown, oneLine(why)));
        return FirstStart::Failed;
    };

    // Keeps the regeneration's own messages, so the user gets one line in the end.
    ui::RecordingHost quiet(host.now());
    DownloadForm regeneration(quiet, module, mainForm);
    const QString csvName = regeneration.Label4[0].caption;
    const QString bundled = history::shippedFile(csvName, folder);
    if (bundled.isEmpty())
        return fail(QStringLiteral("同梱の %1 が見つかりません").arg(csvName));
    if (!history::makeDataFolder(folder))
        return fail(QStringLiteral("フォルダを作れません"));
    const QString target = QDir(folder).filePath(csvName);
    if (QFileInfo(bundled).absoluteFilePath() != QFileInfo(target).absoluteFilePath()) {
        QFile source(bundled);
        if (!source.copy(target))
            return fail(QStringLiteral("%1 を写せません: %2").arg(csvName, source.errorString()));
        copy = target;
    }
    if (!regeneration.rebuildHistory(csvName)) {
        QStringList said;
        for (const auto& m : quiet.messages)
            said.append(m.text);
        return fail(said.join(u' '));
    }

    const int draws = static_cast<int>(QFileInfo(historyPath).size() / history::DrawRecord::kSize);
    host.messageBox(
        QStringLiteral("初めての起動のため、同梱の抽選履歴（第1回〜第%1回）から %2 を作りました。")
            .arg(draws)
            .arg(QDir::toNativeSeparators(historyPath)));
    return FirstStart::Seeded;
}

} // namespace download
