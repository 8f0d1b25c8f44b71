#include "HistoryFiles.h"

#include "ui/Numeric.h"

#include <QDir>
#include <QFileInfo>

namespace history {

int recordCount(qint64 lengthBytes) {
    return static_cast<int>(
        ui::roundHalfEven(static_cast<double>(lengthBytes) / DrawRecord::kSize));
}

HistoryFiles::HistoryFiles() = default;
HistoryFiles::~HistoryFiles() {
    CloseAll();
}

void HistoryFiles::GetAppDir() {
    AppDir = QDir::currentPath();
}

QString HistoryFiles::appFile(const QString& name) const {
    return QDir(AppDir).filePath(name);
}

void HistoryFiles::open(std::unique_ptr<QFile>& file, const QString& path, int& fileNo,
                        int& count) {
    file.reset();
    auto f = std::make_unique<QFile>(path);
    if (!f->open(QIODevice::ReadWrite))
        throw FileError(QStringLiteral("ファイルを開けません: %1\n%2").arg(path, f->errorString()));
    fileNo = nextFileNo_++;
    count = recordCount(f->size());
    file = std::move(f);
}

void HistoryFiles::OpenNumberFile() {
    open(hist_, HistPath, HistFileNo, HistCount);
}
void HistoryFiles::OpenNumberTmp() {
    open(tmp_, TmpPath, TmpFileNo, TmpCount);
}
void HistoryFiles::OpenInjiFile() {
    open(inji_, InjiPath, InjiFileNo, InjiCount);
}

QByteArray HistoryFiles::read(QFile* file, const QString& path, int n) {
    if (!file)
        throw FileError(QStringLiteral("ファイルが開かれていません: %1").arg(path));
    if (n < 1)
        throw FileError(QStringLiteral("レコード番号 %1 は読み込めません（1 から始まります）: %2")
                            .arg(n)
                            .arg(path));
    if (!file->seek(static_cast<qint64>(n - 1) * DrawRecord::kSize))
        throw FileError(QStringLiteral("レコード %1 を読み込めません: %2").arg(n).arg(path));
    return file->read(DrawRecord::kSize);
}

void HistoryFiles::write(QFile* file, const QString& path, int n, const QByteArray& bytes) {
    if (!file)
        throw FileError(QStringLiteral("ファイルが開かれていません: %1").arg(path));
    if (n < 1)
        throw FileError(QStringLiteral("レコード番号 %1 には書き込めません（1 から始まります）: %2")
                            .arg(n)
                            .arg(path));
    if (!file->seek(static_cast<qint64>(n - 1) * DrawRecord::kSize) ||
        file->write(bytes) != bytes.size() || !file->flush())
        throw FileError(QStringLiteral("レコード %1 を書き込めません: %2\n%3")
                            .arg(n)
                            .arg(path, file->errorString()));
}

void HistoryFiles::readHist(int n) {
    HistRec = DrawRecord::decode(read(hist_.get(), HistPath, n));
}
void HistoryFiles::writeHist(int n) {
    write(hist_.get(), HistPath, n, HistRec.encode());
}
void HistoryFiles::readTmp(int n) {
    TmpRec = DrawRecord::decode(read(tmp_.get(), TmpPath, n));
}
void HistoryFiles::writeTmp(int n) {
    write(tmp_.get(), TmpPath, n, TmpRec.encode());
}

QByteArray HistoryFiles::readInji(int n) {
    QByteArray bytes = read(inji_.get(), InjiPath, n);
    if (bytes.size() < DrawRecord::kSize)
        bytes.append(QByteArray(DrawRecord::kSize - bytes.size(), '\0'));
    return bytes;
}

void HistoryFiles::writeInji(int n, const QByteArray& record) {
    write(inji_.get(), InjiPath, n, record.leftJustified(DrawRecord::kSize, '\0', true));
}

void HistoryFiles::CloseAll() {
    hist_.reset();
    tmp_.reset();
    inji_.reset();
}

} // namespace history
