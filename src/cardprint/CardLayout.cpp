#include "CardLayout.h"

#include "history/FolderLock.h"
#include "history/HistoryFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QtEndian>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

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

std::optional<InjiRecord> readInjiFile(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return std::nullopt;
    if (!file.open(QIODevice::ReadOnly))
        throw history::FileError(
            QStringLiteral("%1 を開けません: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.read(kInjiRecordBytes);
    if (bytes.size() < kInjiRecordBytes)
        return std::nullopt;
    return decodeInji(bytes);
}

QString replaceFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const QString why = file.errorString();
        file.cancelWriting();
        return why;
    }
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0) {
        file.cancelWriting();
        return QStringLiteral("fsync");
    }
#endif
    if (!file.commit())
        return file.errorString();
    return QString();
}

void writeInjiFile(const QString& path, const InjiRecord& record) {
    // One writer at a time in the data folder.
    const history::FolderLock lock(QFileInfo(path).absolutePath());
    const QString why = replaceFile(path, encodeInji(record));
    if (!why.isEmpty())
        throw history::FileError(QStringLiteral("%1 に書き込めません: %2").arg(path, why));
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
