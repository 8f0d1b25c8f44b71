#include "SettingsFile.h"

#include "FolderLock.h"
#include "HistoryFiles.h"

#include "ui/CsvLine.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace history {

void writeSettingsFile(const QString& path, const QString& singles, const QString& doubles) {
    // One writer at a time in the data folder.
    const FolderLock lock(QFileInfo(path).absolutePath());
    const QString why = replaceFile(path, (singles + u',' + doubles).toUtf8() + "\r\n");
    if (!why.isEmpty())
        throw FileError(QStringLiteral("設定ファイル %1 を保存できませんでした。\n%2")
                            .arg(QDir::toNativeSeparators(path), why));
}

SettingsFields parseSettings(const QByteArray& bytes, const QString& fileName) {
    const auto refuse = [&](const QString& why) {
        return SettingsFields{
            {}, {}, QStringLiteral("設定ファイル %1 は読み込めません: %2").arg(fileName, why)};
    };
    if (bytes.size() > kMaxSettingsBytes)
        return refuse(
            QStringLiteral("%1 バイトあります（絞り数二つの1行のはずです）。").arg(bytes.size()));
    const QStringList lines = ui::splitLines(QString::fromUtf8(bytes));
    if (lines.isEmpty() || lines[0].trimmed().isEmpty())
        return refuse(QStringLiteral("絞り数が書かれていません。"));
    for (qsizetype i = 1; i < lines.size(); ++i)
        if (!lines[i].trimmed().isEmpty())
            return refuse(QStringLiteral("%1 行目に余分な「%2」があります。")
                              .arg(i + 1)
                              .arg(ui::visibleText(lines[i].left(20))));
    const ui::CsvLine line = ui::splitCsvLine(lines[0]);
    if (!line.error.isEmpty())
        return refuse(QStringLiteral("%1項目目 %2").arg(line.badField).arg(line.error));
    if (line.fields.size() != 2)
        return refuse(QStringLiteral("絞り数が二つではありません（%1項目あります）。")
                          .arg(line.fields.size()));
    static const QRegularExpression number(QStringLiteral("^[0-9]{1,4}$"));
    for (const QString& field : line.fields)
        if (!number.match(field).hasMatch())
            return refuse(QStringLiteral("「%1」が絞り数（数字）ではありません。")
                              .arg(ui::visibleText(field.left(20))));
    return {line.fields[0], line.fields[1], {}};
}

SettingsFields readSettingsFile(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return {
            {},
            {},
            QStringLiteral(
                "設定ファイル seteifile.dat がありません。TT で保存してから読み込んでください。")};
    if (!file.open(QIODevice::ReadOnly))
        return {{},
                {},
                QStringLiteral("設定ファイル %1 を開けません: %2")
                    .arg(QDir::toNativeSeparators(path), file.errorString())};
    return parseSettings(file.read(kMaxSettingsBytes + 1), QFileInfo(path).fileName());
}

} // namespace history
