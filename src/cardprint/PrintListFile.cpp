// The print-list file: one four-digit number per line.
#include "PrintListForm.h"

#include <QFile>

namespace cardprint {

ui::FileDialog PrintListForm::fileDialog() {
    return {QStringLiteral("すべてのファイル (*.*)|*.*|") +
                QStringLiteral("ＣＳＶ ファイル (*.csv)|*.csv|") +
                QStringLiteral("テキスト ファイル (*.txt)|*.txt"),
            2, 4};
}

void PrintListForm::Command3_Click() {
    const QString name = host.saveFileName(fileDialog());
    if (!name.isEmpty())
        CsvOut(name);
}

void PrintListForm::Command4_Click() {
    const QString name = host.openFileName(fileDialog());
    if (!name.isEmpty())
        CsvIn(name);
}

bool PrintListForm::CsvOut(const QString& chosenName) {
    QString name = chosenName;
    if (!name.endsWith(QStringLiteral(".csv"), Qt::CaseSensitive))
        name += QStringLiteral(".csv");
    QByteArray bytes;
    for (int row = 1; row <= kRows; ++row) {
        if (PrintList.text(row, 6) != u"○")
            continue;
        for (int c = 1; c <= 4; ++c)
            bytes += PrintList.text(row, c).toUtf8();
        bytes += "\r\n";
    }
    const QString why = replaceFile(name, bytes);
    if (!why.isEmpty()) {
        host.messageBox(QStringLiteral("%1 に保存できませんでした: %2").arg(name, why),
                        QStringLiteral("ＣＳＶ出力"));
        return false;
    }
    host.messageBox(QStringLiteral("ＣＳＶにて保存しました。"), QStringLiteral("ＣＳＶ出力"));
    return true;
}

namespace {

// A field of free-format input: surrounding blanks and enclosing double quotes dropped.
QString cleanField(QString field) {
    field = field.trimmed();
    if (field.size() >= 2 && field.startsWith(u'"') && field.endsWith(u'"'))
        field = field.mid(1, field.size() - 2).trimmed();
    return field;
}

bool isFourDigits(const QString& field) {
    if (field.size() != 4)
        return false;
    for (QChar ch : field)
        if (ch < u'0' || ch > u'9')
            return false;
    return true;
}

} // namespace

bool PrintListForm::CsvIn(const QString& chosenName) {
    QFile file(chosenName);
    if (!file.open(QIODevice::ReadOnly)) {
        host.messageBox(QStringLiteral("%1 を開けません: %2").arg(chosenName, file.errorString()),
                        QStringLiteral("ＣＳＶ読込"));
        return false;
    }
    int row = 0;
    int malformed = 0;
    int overflow = 0;
    QString firstBad;
    bool first = true;
    while (!file.atEnd()) {
        QString line = QString::fromUtf8(file.readLine(4096));
        if (first && line.startsWith(QChar(0xFEFF)))
            line.remove(0, 1);
        first = false;
        for (const QString& raw : line.split(u',')) {
            const QString field = cleanField(raw);
            if (field.isEmpty())
                continue; // a blank line or a trailing comma
            if (!isFourDigits(field)) {
                if (malformed++ == 0)
                    firstBad = field.left(20);
                continue;
            }
            if (row == kRows) {
                ++overflow;
                continue;
            }
            ++row;
            PrintList.setText(row, 0, QString::number(row));
            for (int c = 1; c <= 4; ++c)
                PrintList.setText(row, c, field.mid(c - 1, 1));
        }
    }
    if (file.error() != QFileDevice::NoError) {
        host.messageBox(QStringLiteral("%1 を読めません: %2").arg(chosenName, file.errorString()),
                        QStringLiteral("ＣＳＶ読込"));
        return false;
    }
    QStringList notes;
    if (malformed > 0)
        notes << QStringLiteral("４桁の数字でない %1 件（最初は「%2」）は読み込みませんでした。")
                     .arg(malformed)
                     .arg(firstBad);
    if (overflow > 0)
        notes << QStringLiteral(
                     "印刷リストは %1 行までのため、残りの %2 件は読み込みませんでした。")
                     .arg(kRows)
                     .arg(overflow);
    if (!notes.isEmpty())
        host.messageBox(notes.join(u'\r'), QStringLiteral("ＣＳＶ読込"));
    return true;
}

} // namespace cardprint
