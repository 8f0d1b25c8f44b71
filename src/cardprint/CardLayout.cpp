#include "CardLayout.h"

#include "history/FolderLock.h"
#include "history/HistoryFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

namespace cardprint {

QByteArray encodeInji(const InjiRecord& record) {
    QByteArray bytes(kInjiRecordBytes, '\0');
    for (int i = 0; i < 6; ++i)
        qToLittleEndian<qint16>(record.pos[i], bytes.data() + 2 * i);
    const QByteArray trailer = record.trailer.left(kInjiTrailerBytes);
    std::copy(trailer.begin(), trailer.end(), bytes.begin() + 12);
    return bytes;
}

InjiRecord decodeInji(const QByteArray& bytes) {
    InjiRecord record;
    for (int i = 0; i < 6; ++i)
        record.pos[i] = qFromLittleEndian<qint16>(bytes.constData() + 2 * i);
    record.trailer = bytes.mid(12, kInjiTrailerBytes);
    return record;
}

InjiFile decodeInjiFile(const QByteArray& bytes, const QString& path) {
    InjiFile file;
    file.exists = true;
    if (bytes.size() < kInjiRecordBytes) {
        file.problem = positionsRefusal(path, QStringLiteral("ファイルが途中で切れています（%1 "
                                                             "バイト、%2 バイト必要です）")
                                                  .arg(bytes.size())
                                                  .arg(kInjiRecordBytes));
        return file;
    }
    file.record = decodeInji(bytes.left(kInjiRecordBytes));
    const QString problem = positionsProblem(file.record->pos);
    if (!problem.isEmpty())
        file.problem = positionsRefusal(path, problem);
    return file;
}

InjiFile readInjiFile(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return {};
    if (!file.open(QIODevice::ReadOnly))
        throw history::FileError(QStringLiteral("%1 を開けません: %2")
                                     .arg(QDir::toNativeSeparators(path), file.errorString()));
    return decodeInjiFile(file.read(kInjiRecordBytes), path);
}

QString positionsProblem(const Positions& p) {
    const int row = p[2], column = p[3], slotStep = p[1] - p[5];
    if (row < kMarkHeightTwips)
        return QStringLiteral("行の間隔 %1 が印の高さ %2 より狭く、行が重なります")
            .arg(row)
            .arg(kMarkHeightTwips);
    if (column < kMarkWidthTwips)
        return QStringLiteral("列の間隔 %1 が印の幅 %2 より狭く、列が重なります")
            .arg(column)
            .arg(kMarkWidthTwips);
    // A slot spans its buy-type row and four digit rows.
    const int slotHeight = 4 * row + kMarkHeightTwips;
    if (slotStep < slotHeight)
        return QStringLiteral("枠の間隔 %1（用紙送り誤差を引いた値）が一枠の高さ %2 より狭く、"
                              "枠が重なります")
            .arg(slotStep)
            .arg(slotHeight);
    const int left = p[4], right = p[4] + 9 * column + kMarkWidthTwips;
    const int top = p[0] - 4 * row,
              bottom = p[0] + (kSlotsPerCard - 1) * slotStep + kMarkHeightTwips;
    if (left < 0 || top < 0 || right > kCardWidthTwips || bottom > kCardHeightTwips)
        return QStringLiteral("印がカードの外に出ます（横 %1〜%2、縦 %3〜%4。カードは横 0〜%5、"
                              "縦 0〜%6）")
            .arg(left)
            .arg(right)
            .arg(top)
            .arg(bottom)
            .arg(kCardWidthTwips)
            .arg(kCardHeightTwips);
    return {};
}

QString positionsRefusal(const QString& path, const QString& problem) {
    const QString name = QDir::toNativeSeparators(path);
    return QStringLiteral(
               "印字位置 %1 が使えません: %2。\n「印字位置設定」で位置を直して保存するか、"
               "%1 を削除すると既定の位置に戻ります。")
        .arg(name, problem);
}

void writeInjiFile(const QString& path, const InjiRecord& record) {
    // One writer at a time in the data folder.
    const history::FolderLock lock(QFileInfo(path).absolutePath());
    const QString why = history::replaceFile(path, encodeInji(record));
    if (!why.isEmpty())
        throw history::FileError(
            QStringLiteral("%1 に書き込めません: %2").arg(QDir::toNativeSeparators(path), why));
}

Mark buyTypeMark(const Positions& p, int buyType, int slot) {
    return {p[4] + p[3] + buyType * 2 * p[3], p[0] - 4 * p[2] + slot * p[1] - slot * p[5]};
}

Mark digitMark(const Positions& p, int row, int digit, int slot) {
    return {p[4] + digit * p[3], p[0] - row * p[2] + slot * p[1] - slot * p[5]};
}

bool printCalibration(ui::Printer& printer, const Positions& p) {
    if (!printer.begin())
        return false;
    // Small labels fit in the gap between two mark columns.
    printer.setFont(QStringLiteral("Sans Serif"), 6);
    const auto mark = [&](Mark m, const QString& label) {
        printer.fillRect(m.x, m.y, kMarkWidthTwips, kMarkHeightTwips);
        printer.drawText(m.x + kMarkWidthTwips + 50, m.y - 40, label);
    };
    static const char16_t* const kRows[] = {u"Ａ", u"Ｂ", u"Ｃ", u"Ｄ"};
    for (int row = 0; row < 4; ++row) {
        for (int d = 0; d <= 9; ++d)
            mark(digitMark(p, row, d, 0), QString::number(d));
        const Mark first = digitMark(p, row, 0, 0);
        printer.drawText(first.x - 260, first.y - 40, QString::fromUtf16(kRows[row]));
    }
    static const char* const kBuy[] = {"S", "B", "T"};
    for (int b = 0; b < 3; ++b)
        mark(buyTypeMark(p, b, 0), QString::fromLatin1(kBuy[b]));
    return printer.end();
}

} // namespace cardprint
