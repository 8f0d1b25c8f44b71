#include "SettingsFile.h"

#include "FolderLock.h"
#include "HistoryFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <unistd.h>

namespace history {

namespace {

QStringList csvFields(const QString& text) {
    QStringList fields;
    QString field;
    bool quoted = false;
    bool any = false;
    auto finish = [&] {
        if (any || !field.trimmed().isEmpty())
            fields.append(field.trimmed());
        field.clear();
        any = false;
    };
    for (const QChar c : text) {
        if (quoted) {
            if (c == u'"')
                quoted = false;
            else
                field += c;
        } else if (c == u'"') {
            quoted = true;
            any = true;
        } else if (c == u',') {
            any = true;
            finish();
            any = false;
        } else if (c == u'\r' || c == u'\n') {
            finish();
        } else {
            field += c;
        }
    }
    finish();
    return fields;
}

} // namespace

void writeSettingsFile(const QString& path, const QString& singles, const QString& doubles) {
    // One writer at a time in the data folder.
    const FolderLock lock(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    const QByteArray line = (singles + u',' + doubles).toUtf8() + "\r\n";
    bool ok = file.open(QIODevice::WriteOnly) && file.write(line) == line.size() && file.flush();
    ok = ok && ::fsync(file.handle()) == 0;
    if (!ok || !file.commit()) {
        file.cancelWriting();
        throw FileError(QStringLiteral("設定ファイル seteifile.dat を保存できませんでした。"));
    }
}

SettingsFields readSettingsFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {
            {},
            {},
            QStringLiteral(
                "設定ファイル seteifile.dat がありません。TT で保存してから読み込んでください。")};
    const QStringList fields = csvFields(QString::fromUtf8(file.readAll()));
    if (fields.size() < 2)
        return {{},
                {},
                QStringLiteral("設定ファイル seteifile.dat "
                               "に絞り数が二つ書かれていません。読み込みを中止しました。")};
    return {fields[0], fields[1], {}};
}

} // namespace history
