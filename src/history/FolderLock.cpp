#include "FolderLock.h"

#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

namespace history {

namespace {

// The locks this process holds, by lock file: QLockFile takes a lock held by its own process
// for another copy's, so a second FolderLock of the holding thread must not ask it again.
struct Held {
    std::unique_ptr<QLockFile> lock;
    std::thread::id owner;
    int depth = 0;
};
std::mutex heldMutex;
std::map<QString, Held> held;

// One spelling per folder, so that a thread finds the lock it holds however it names it.
QString keyOf(const QString& folder) {
    const QFileInfo info(folder);
    const QString canonical = info.canonicalFilePath();
    return FolderLock::lockPath(canonical.isEmpty() ? info.absoluteFilePath() : canonical);
}

} // namespace

QString FolderLock::lockPath(const QString& folder) {
    return QDir(folder).filePath(QStringLiteral("tessarin.lock"));
}

FolderLock::FolderLock(const QString& folder, int waitMs) : path_(keyOf(folder)) {
    {
        const std::lock_guard guard(heldMutex);
        const auto it = held.find(path_);
        if (it != held.end() && it->second.owner == std::this_thread::get_id()) {
            ++it->second.depth;
            return;
        }
    }
    auto lock = std::make_unique<QLockFile>(path_);
    // A holder that is still running keeps the lock however long it takes (a catch-up over a
    // slow line); by default Qt would hand it to the next comer after 30 seconds. A holder
    // that died is still found out by its process.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(waitMs)) {
        if (lock->error() == QLockFile::LockFailedError)
            throw LockBusy();
        throw FileError(QStringLiteral("データフォルダ %1 に書き込めません（ロックを作れません）。")
                            .arg(QDir::toNativeSeparators(folder)));
    }
    const std::lock_guard guard(heldMutex);
    held[path_] = Held{std::move(lock), std::this_thread::get_id(), 1};
}

FolderLock::~FolderLock() {
    const std::lock_guard guard(heldMutex);
    const auto it = held.find(path_);
    if (it != held.end() && --it->second.depth == 0)
        held.erase(it); // QLockFile's destructor unlocks
}

void syncFile(QFileDevice& file, const QString& path) {
    if (!file.flush() || ::fsync(file.handle()) != 0)
        throw FileError(QStringLiteral("%1 をディスクに書き込めません。\n%2")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
}

QString replaceFile(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    QString why;
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush())
        why = file.errorString();
    else if (::fsync(file.handle()) != 0)
        why = QString::fromLocal8Bit(std::strerror(errno));
    else if (!file.commit())
        why = file.errorString();
    if (!why.isEmpty())
        file.cancelWriting();
    return why;
}

void syncFolder(const QString& folder) {
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return; // nothing more can be done where folders cannot be opened
    ::fsync(fd);
    ::close(fd);
}

} // namespace history
