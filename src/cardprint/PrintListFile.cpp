// The print-list file (one four-digit number per line) and numbers pasted into the list.
#include "PrintListForm.h"
#include "PrintListText.h"

#include "history/FolderLock.h"

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
        if (PrintList.text(row, PrintListCol::Print) != u"○")
            continue;
        for (int c = PrintListCol::DigitA; c < PrintListCol::DigitA + 4; ++c)
            bytes += PrintList.text(row, c).toUtf8();
        bytes += "\r\n";
    }
    const QString why = history::replaceFile(name, bytes);
    if (!why.isEmpty()) {
        host.messageBox(QStringLiteral("%1 に保存できませんでした: %2").arg(name, why),
                        QStringLiteral("ＣＳＶ出力"));
        return false;
    }
    host.messageBox(QStringLiteral("ＣＳＶにて保存しました。"), QStringLiteral("ＣＳＶ出力"));
    return true;
}

bool PrintListForm::CsvIn(const QString& chosenName) {
    const QString title = QStringLiteral("ＣＳＶ読込");
    QFile file(chosenName);
    if (!file.open(QIODevice::ReadOnly)) {
        host.messageBox(QStringLiteral("%1 を開けません: %2").arg(chosenName, file.errorString()),
                        title);
        return false;
    }
    const QByteArray bytes = file.read(kMaxPrintListBytes + 1);
    if (file.error() != QFileDevice::NoError) {
        host.messageBox(QStringLiteral("%1 を読めません: %2").arg(chosenName, file.errorString()),
                        title);
        return false;
    }
    return putNumbers(parsePrintList(bytes, kRows), 1, chosenName, title);
}

void PrintListForm::Command5_Click() {
    const QString title = QStringLiteral("コピー＆ペースト");
    int lastUsed = 0;
    for (int row = 1; row <= kRows; ++row)
        for (int c = PrintListCol::No; c < PrintListCol::DigitA + 4; ++c)
            if (!PrintList.text(row, c).isEmpty())
                lastUsed = row;
    if (lastUsed == kRows) {
        host.messageBox(QStringLiteral("印刷リストは %1 行まで埋まっています。").arg(kRows), title);
        return;
    }
    // A spreadsheet's cells come separated by tabs.
    const QByteArray text = host.clipboardText().replace(u'\t', u'\n').toUtf8();
    putNumbers(parsePrintList(text, kRows - lastUsed), lastUsed + 1,
               QStringLiteral("クリップボード"), title);
}

bool PrintListForm::putNumbers(const PrintListText& read, int firstRow, const QString& source,
                               const QString& title) {
    QStringList notes;
    if (!read.error.isEmpty())
        notes << read.error;
    else if (read.numbers.isEmpty())
        notes << QStringLiteral("４桁の数字がありません。");
    if (read.skipped > 0)
        notes << QStringLiteral("４桁の数字でない %1 件（最初は「%2」）は読み込みませんでした。")
                     .arg(read.skipped)
                     .arg(read.firstSkipped);
    if (read.overflow > 0)
        notes << QStringLiteral(
                     "印刷リストは %1 行までのため、残りの %2 件は読み込みませんでした。")
                     .arg(kRows)
                     .arg(read.overflow);
    // An empty or wholly unreadable source changes nothing and says so, naming it.
    if (read.numbers.isEmpty()) {
        host.messageBox(QStringLiteral("%1 を読み込めません: %2").arg(source, notes.join(u' ')),
                        title);
        return false;
    }
    for (int i = 0; i < read.numbers.size(); ++i) {
        const int row = firstRow + i;
        PrintList.setText(row, PrintListCol::No, QString::number(row));
        for (int c = PrintListCol::DigitA; c < PrintListCol::DigitA + 4; ++c)
            PrintList.setText(row, c, read.numbers[i].mid(c - PrintListCol::DigitA, 1));
    }
    if (!notes.isEmpty())
        host.messageBox(notes.join(u'\r'), title);
    return true;
}

} // namespace cardprint
