#pragma once

#include "DrawRecord.h"

#include <QFile>
#include <QString>

#include <memory>
#include <stdexcept>

namespace history {

// A file operation that failed, or a record number below 1. The message is meant for the
// user and names the file.
class FileError : public std::runtime_error {
public:
    explicit FileError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

// Record count of a file of the given length: length / 128, rounded half to even, so a
// trailing partial record counts only when it is more than half a record (or exactly half
// and the count comes out even).
int recordCount(qint64 lengthBytes);

// The program's shared file state: the application folder, the three random-access files
// (number414.dat, number414.tmp, inji04.dat), their record counts as of the last open and
// the record buffers every read and write goes through. Every operation sets the path,
// opens, reads or writes and ends with CloseAll(); nothing stays open between two actions.
class HistoryFiles {
public:
    HistoryFiles();
    ~HistoryFiles();

    QString AppDir;
    QString HistPath;
    int HistFileNo = 0;
    int HistCount = 0;
    DrawRecord HistRec;

    QString TmpPath;
    int TmpFileNo = 0;
    int TmpCount = 0;
    DrawRecord TmpRec;

    QString InjiPath;
    int InjiFileNo = 0;
    int InjiCount = 0;

    // Captures the current directory into AppDir.
    void GetAppDir();
    // AppDir joined with a file name.
    QString appFile(const QString& name) const;

    // Each opens its path for reading and writing (creating an empty file when there is
    // none) and sets its count from the file length. Throws FileError when it cannot.
    void OpenNumberFile();
    void OpenNumberTmp();
    void OpenInjiFile();

    // Record n into HistRec / TmpRec, and the buffer back as record n. Writing at
    // count + 1 appends, at an existing n replaces. n below 1 throws FileError.
    void readHist(int n);
    void writeHist(int n);
    void readTmp(int n);
    void writeTmp(int n);
    // The raw 128 bytes of inji04.dat's record n (its layout belongs to card printing).
    QByteArray readInji(int n);
    void writeInji(int n, const QByteArray& record);

    // Closes every open file of the program.
    void CloseAll();

    bool isHistOpen() const { return hist_ != nullptr; }

private:
    void open(std::unique_ptr<QFile>& file, const QString& path, int& fileNo, int& count);
    QByteArray read(QFile* file, const QString& path, int n);
    void write(QFile* file, const QString& path, int n, const QByteArray& bytes);

    int nextFileNo_ = 1;
    std::unique_ptr<QFile> hist_;
    std::unique_ptr<QFile> tmp_;
    std::unique_ptr<QFile> inji_;
};

} // namespace history
