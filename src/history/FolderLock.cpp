#include "FolderLock.h"

#include <QDir>
#include <QFileDevice>
#include <QSaveFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

namespace history {

QString FolderLock::lockPath(const QString& folder) {
    return QDir(folder).filePath(QStringLiteral("tessarin.lock"));
}

FolderLock::FolderLock(const QString& folder, int waitMs) : lock_(lockPath(folder)) {
    if (lock_.tryLock(waitMs))
        return;
    if (lock_.error() == QLockFile::LockFailedError)
        throw LockBusy();
    throw FileError(QStringLiteral("データフォルダ %1 に書き込めません（ロックを作れません）。")
                        .arg(QDir::toNativeSeparators(folder)));
}

FolderLock::~FolderLock() {
    lock_.unlock();
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
