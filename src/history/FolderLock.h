#pragma once

#include "HistoryFiles.h"

#include <QString>

namespace history {

// Held while a data file of the folder is written, so two copies of the program (the window
// and the command line, or two command lines) never write the same file at once. The lock
// is a file "tessarin.lock" in the data folder; a copy that crashed leaves a stale lock that
// the next one takes over. A thread that holds the lock may take it again (the catch-up holds
// it across the appends it makes); it is released when the outermost holder lets go.
class FolderLock {
public:
    static constexpr int kDefaultWaitMs = 5000;

    // Waits up to waitMs for another writer to finish; throws LockBusy when it does not, or
    // FileError when the folder cannot hold the lock at all.
    explicit FolderLock(const QString& folder, int waitMs = kDefaultWaitMs);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    static QString lockPath(const QString& folder);

private:
    QString path_; // of the lock file, absolute: the key of the holders in this process
};

// Another copy of the program holds the folder's lock.
class LockBusy : public FileError {
public:
    LockBusy() : FileError(QStringLiteral("別の Tessarin が履歴を更新中です。")) {}
};

// Makes what was written to the open file durable (fsync); throws FileError when the medium
// refuses.
void syncFile(QFileDevice& file, const QString& path);
// Replaces a file with bytes through a synced temporary file beside it, renamed over it; on
// failure the old file stays as it was and the returned text is the system's reason (empty
// on success).
QString replaceFile(const QString& path, const QByteArray& bytes);
// Makes a rename or a new file in the folder durable.
void syncFolder(const QString& folder);

} // namespace history
