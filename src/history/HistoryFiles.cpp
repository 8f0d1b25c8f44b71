#include "HistoryFiles.h"
#include "DataFolder.h"

#include "FolderLock.h"

#include "ui/Numeric.h"

#include <QDate>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace history {

int recordCount(qint64 lengthBytes) {
    return static_cast<int>(
        ui::roundHalfEven(static_cast<double>(lengthBytes) / DrawRecord::kSize));
}

namespace {

bool digitsOnly(const QByteArray& text) {
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return !text.isEmpty();
}

// A YYYYMMDD date of digits; read by hand, as the start-up checks every record.
QDate eightDigitDate(const QByteArray& text) {
    if (text.size() != 8)
        return QDate::fromString(QString::fromLatin1(text), QStringLiteral("yyyyMMdd"));
    const auto number = [&](int from, int digits) {
        int v = 0;
        for (int k = from; k < from + digits; ++k)
            v = v * 10 + (text[k] - '0');
        return v;
    };
    return QDate(number(0, 4), number(4, 2), number(6, 2));
}

// Shown in a message: printable ASCII as it is, anything else as hex.
QString shown(const QByteArray& text) {
    for (char c : text)
        if (c < 0x20 || c > 0x7e)
            return QStringLiteral("0x") + QString::fromLatin1(text.toHex());
    return QStringLiteral("「%1」").arg(QString::fromLatin1(text));
}

QString historyName(const QString& path) {
    return QFileInfo(path).fileName();
}

DamagedHistory damagedIn(const QString& fileName, int record, const QString& problem,
                         const QString& advice) {
    return DamagedHistory(record, QStringLiteral("抽選履歴 %1 の第%2回の記録が壊れています: %3\n%4")
                                      .arg(fileName)
                                      .arg(record)
                                      .arg(problem, advice));
}

QString tornProblem(qint64 length) {
    return QStringLiteral("ファイルが途中で切れています（最後の記録が %1 / %2 バイト）。")
        .arg(length % DrawRecord::kSize)
        .arg(DrawRecord::kSize);
}

int tornRecord(qint64 length) {
    return static_cast<int>(length / DrawRecord::kSize) + 1;
}

enum class RecordAccess { Read, Write };

// Where record n (counted from 1) starts, once the file is open for the access and n names a
// record.
qint64 recordStart(bool open, const QString& path, int n, RecordAccess access) {
    const bool reading = access == RecordAccess::Read;
    const QString where = QDir::toNativeSeparators(path);
    if (!open)
        throw FileError((reading ? QStringLiteral("ファイルが開かれていません: %1")
                                 : QStringLiteral("書き込み用に開かれていません: %1"))
                            .arg(where));
    if (n < 1)
        throw FileError(
            (reading ? QStringLiteral("レコード番号 %1 は読み込めません（1 から始まります）: %2")
                     : QStringLiteral("レコード番号 %1 には書き込めません（1 から始まります）: %2"))
                .arg(n)
                .arg(where));
    return static_cast<qint64>(n - 1) * DrawRecord::kSize;
}

} // namespace

QString recordProblem(const DrawRecord& r, int n, const DrawRecord* previous, const QDate& today) {
    if (r.DrawNo != n)
        return QStringLiteral("回が %1 です。").arg(r.DrawNo);
    const QDate date = digitsOnly(r.DrawDate) ? eightDigitDate(r.DrawDate) : QDate();
    if (!date.isValid())
        return QStringLiteral("抽選日 %1 が日付ではありません。").arg(shown(r.DrawDate));
    if (today.isValid() && date > today)
        return QStringLiteral("抽選日 %1 が今日（%2）より後です。")
            .arg(r.slashedDate(), today.toString(QStringLiteral("yyyy/MM/dd")));
    if (previous && r.DrawDate <= previous->DrawDate)
        return QStringLiteral("抽選日 %1 が前の回（%2）より後ではありません。")
            .arg(r.slashedDate(), previous->slashedDate());
    if (!digitsOnly(r.WinNumber))
        return QStringLiteral("当籤数字 %1 が4桁の数字ではありません。").arg(shown(r.WinNumber));
    return {};
}

int checkHistoryBytes(const QByteArray& bytes, const QString& fileName, const QString& advice,
                      const QDate& today) {
    if (bytes.size() % DrawRecord::kSize != 0)
        throw damagedIn(fileName, tornRecord(bytes.size()), tornProblem(bytes.size()), advice);
    const int count = static_cast<int>(bytes.size() / DrawRecord::kSize);
    const auto record = [&](int n) {
        return DrawRecord::decode(QByteArray::fromRawData(
            bytes.constData() + (n - 1) * DrawRecord::kSize, DrawRecord::kSize));
    };
    DrawRecord previous;
    for (int n = 1; n <= count; ++n) {
        const DrawRecord r = record(n);
        const QString problem = recordProblem(r, n, nullptr, today);
        if (!problem.isEmpty())
            throw damagedIn(fileName, n, problem, advice);
        if (n > 1 && r.DrawDate <= previous.DrawDate) {
            // The earlier record is the wrong one when the later fits after the one before it
            // and the earlier is not before the one after.
            const bool laterFits = n == 2 || record(n - 2).DrawDate < r.DrawDate;
            const bool earlierTooLate = n < count && previous.DrawDate >= record(n + 1).DrawDate;
            if (laterFits && earlierTooLate)
                throw damagedIn(fileName, n - 1,
                                QStringLiteral("抽選日 %1 が次の回（%2）より前ではありません。")
                                    .arg(previous.slashedDate(), r.slashedDate()),
                                advice);
            throw damagedIn(fileName, n, recordProblem(r, n, &previous), advice);
        }
        previous = r;
    }
    return count;
}

FileSession::FileSession(std::unique_ptr<QFile>* slot, QFile* file,
                         std::unique_ptr<FolderLock> lock)
    : slot_(slot), file_(file), lock_(std::move(lock)) {}

FileSession::FileSession(FileSession&& other) noexcept
    : slot_(other.slot_), file_(other.file_), lock_(std::move(other.lock_)) {
    other.slot_ = nullptr;
    other.file_ = nullptr;
}

FileSession::~FileSession() {
    // Only the file this session opened: CloseAll and a later open may have replaced it.
    if (slot_ && file_ && slot_->get() == file_)
        slot_->reset();
}

HistoryFiles::HistoryFiles() = default;
HistoryFiles::~HistoryFiles() {
    CloseAll();
}

void HistoryFiles::GetAppDir() {
    AppDir = dataFolder();
}

QString HistoryFiles::folder() const {
    // A window used before the main window's start-up (the tests) still names the data folder.
    return AppDir.isEmpty() ? dataFolder() : AppDir;
}

QString HistoryFiles::appFile(const QString& name) const {
    return QDir(folder()).filePath(name);
}

DamagedHistory HistoryFiles::damaged(int record, const QString& problem) const {
    return damagedIn(historyName(HistPath), record, problem, damageAdvice);
}

FileSession HistoryFiles::open(std::unique_ptr<QFile>& slot, const QString& path, Access access) {
    slot.reset();
    std::unique_ptr<FolderLock> lock;
    if (access == Access::Write)
        lock = std::make_unique<FolderLock>(QFileInfo(path).absolutePath(), lockWaitMs);
    auto f = std::make_unique<QFile>(path);
    if (access == Access::Read && !f->exists())
        return FileSession(&slot, nullptr, std::move(lock)); // an empty history, not created
    if (!f->open(access == Access::Read ? QIODevice::ReadOnly : QIODevice::ReadWrite))
        throw FileError(QStringLiteral("ファイルを開けません: %1\n%2")
                            .arg(QDir::toNativeSeparators(path), f->errorString()));
    QFile* raw = f.get();
    slot = std::move(f);
    return FileSession(&slot, raw, std::move(lock));
}

FileSession HistoryFiles::OpenNumberFile(Access access) {
    lastReadNo_ = 0;
    openedOn_ = today();
    FileSession session = open(hist_, HistPath, access);
    qint64 length = hist_ ? hist_->size() : 0;
    if (length % DrawRecord::kSize != 0 && access == Access::Read) {
        // Once the writer is done its append is whole; the open file shows the same file.
        try {
            const FolderLock writerDone(QFileInfo(HistPath).absolutePath(), lockWaitMs);
            length = hist_->size();
        } catch (const FileError&) {
            // No writer to wait for (or a folder that cannot hold the lock): the tail is torn.
        }
    }
    HistCount = 0;
    if (length % DrawRecord::kSize != 0)
        throw damaged(tornRecord(length), tornProblem(length)); // the session closes the file
    HistFileNo = nextFileNo_++;
    HistCount = static_cast<int>(length / DrawRecord::kSize);
    return session;
}

QByteArray HistoryFiles::read(QFile* file, const QString& path, int n) {
    const qint64 start = recordStart(file != nullptr, path, n, RecordAccess::Read);
    // Records read in order need no seek: the start-up reads every one.
    if (file->pos() != start && !file->seek(start))
        throw FileError(QStringLiteral("レコード %1 を読み込めません: %2")
                            .arg(n)
                            .arg(QDir::toNativeSeparators(path)));
    return file->read(DrawRecord::kSize);
}

void HistoryFiles::write(QFile* file, const QString& path, int n, const QByteArray& bytes) {
    const qint64 start = recordStart(file && file->isWritable(), path, n, RecordAccess::Write);
    if (!file->seek(start) || file->write(bytes) != bytes.size())
        throw FileError(QStringLiteral("レコード %1 を書き込めません: %2\n%3")
                            .arg(n)
                            .arg(QDir::toNativeSeparators(path), file->errorString()));
    syncFile(*file, path);
}

QByteArray HistoryFiles::storedRecord(int n) {
    if (n > HistCount)
        throw FileError(QStringLiteral("%1 に第%2回の記録はありません（第%3回まで）。")
                            .arg(historyName(HistPath))
                            .arg(n)
                            .arg(HistCount));
    const QByteArray bytes = read(hist_.get(), HistPath, n);
    if (bytes.size() != DrawRecord::kSize) // the file shrank since it was opened
        throw damaged(n,
                      tornProblem(static_cast<qint64>(n - 1) * DrawRecord::kSize + bytes.size()));
    return bytes;
}

void HistoryFiles::readHist(int n) {
    const DrawRecord r = DrawRecord::decode(storedRecord(n));
    DrawRecord previous;
    const bool inOrder = lastReadNo_ == n - 1 && n > 1;
    previous.DrawDate = lastReadDate_;
    const QString problem = recordProblem(r, n, inOrder ? &previous : nullptr, openedOn_);
    if (!problem.isEmpty()) {
        lastReadNo_ = 0;
        // Out of order with the record before it: the whole check names which of the two
        // does not fit between its neighbours.
        if (inOrder && recordProblem(r, n, nullptr, openedOn_).isEmpty())
            checkHistory();
        throw damaged(n, problem);
    }
    HistRec = r;
    lastReadNo_ = n;
    lastReadDate_ = r.DrawDate;
}

void HistoryFiles::checkHistory() {
    if (!hist_)
        return;
    if (!hist_->seek(0))
        throw FileError(QStringLiteral("%1 を読み込めません。").arg(historyName(HistPath)));
    const QByteArray all = hist_->read(static_cast<qint64>(HistCount) * DrawRecord::kSize);
    checkHistoryBytes(all, historyName(HistPath), damageAdvice, openedOn_);
    if (all.size() != static_cast<qint64>(HistCount) * DrawRecord::kSize)
        throw damaged(static_cast<int>(all.size() / DrawRecord::kSize) + 1,
                      tornProblem(all.size()));
}

DrawRecord HistoryFiles::peekHist(int n) {
    return DrawRecord::decode(storedRecord(n));
}

void HistoryFiles::writeHist(int n) {
    if (n < 1 || n > HistCount + 1)
        throw FileError(QStringLiteral("%1 に第%2回は書き込めません（第1回から第%3回まで）。")
                            .arg(historyName(HistPath))
                            .arg(n)
                            .arg(HistCount + 1));
    const DrawRecord record = HistRec;
    // The neighbours are read without the order check; the record must fit between them.
    const DrawRecord before = n > 1 ? peekHist(n - 1) : DrawRecord{};
    QString problem = recordProblem(record, n, n > 1 ? &before : nullptr, openedOn_);
    if (problem.isEmpty() && n < HistCount) {
        const DrawRecord after = peekHist(n + 1);
        if (after.DrawDate <= record.DrawDate)
            problem = QStringLiteral("抽選日 %1 が次の回（%2）より前ではありません。")
                          .arg(record.slashedDate(), after.slashedDate());
    }
    if (!problem.isEmpty())
        throw FileError(QStringLiteral("第%1回を %2 に書き込めません: %3")
                            .arg(n)
                            .arg(historyName(HistPath), problem));
    write(hist_.get(), HistPath, n, record.encode());
    HistCount = std::max(HistCount, n);
    lastReadNo_ = 0;
}

void HistoryFiles::CloseAll() {
    hist_.reset();
    lastReadNo_ = 0;
}

} // namespace history
