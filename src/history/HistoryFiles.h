#pragma once

#include "DrawRecord.h"

#include "ui/UserError.h"

#include <QDate>
#include <QFile>
#include <QString>

#include <functional>
#include <memory>

namespace history {

class FolderLock;

// A file operation that failed, or a record number out of range. The message is meant for
// the user and names the file.
class FileError : public ui::UserError {
public:
    using UserError::UserError;
};

// number414.dat does not hold draws 1 to N one record each: a record that is not its draw,
// or a torn last record. Nothing may be appended behind it; the way out is a regeneration.
class DamagedHistory : public FileError {
public:
    DamagedHistory(int record, const QString& message) : FileError(message), record_(record) {}
    // The record found damaged (a torn tail names the record it would have been).
    int record() const { return record_; }

private:
    int record_;
};

// Record count of a file of the given length: length / 128, rounded half to even. For a
// quick look at a file without checking it; the history refuses any length that is not
// whole records.
int recordCount(qint64 lengthBytes);

// Why record n is not a stored draw, or empty when it is one: its draw number must be n,
// its date a real date YYYYMMDD, not after today when today is given (null: not checked)
// and after the previous record's when that is given, its number four digits.
QString recordProblem(const DrawRecord& record, int n, const DrawRecord* previous,
                      const QDate& today = QDate());

// The whole history image checked record by record; returns the record count. Throws
// DamagedHistory naming the first bad record, the advice appended to the message. Of two
// records out of date order, the one named is the one whose date does not fit between its
// own neighbours (the later record when both or neither fit).
int checkHistoryBytes(const QByteArray& bytes, const QString& fileName, const QString& advice,
                      const QDate& today = QDate());

enum class Access {
    Read, // read-only; a missing file is an empty history and is not created
    Write // read-write under the data folder's lock; created when missing
};

class HistoryFiles;

// One open of a data file: the file is closed (and the folder's lock released) when the
// session ends, however the operation ends.
class [[nodiscard]] FileSession {
public:
    FileSession(FileSession&& other) noexcept;
    FileSession& operator=(FileSession&&) = delete;
    ~FileSession();

private:
    friend class HistoryFiles;
    FileSession(std::unique_ptr<QFile>* slot, QFile* file, std::unique_ptr<FolderLock> lock);

    std::unique_ptr<QFile>* slot_;
    QFile* file_;
    std::unique_ptr<FolderLock> lock_;
};

// The program's shared file state: the application folder, the history number414.dat, its
// record count as of the last open, the print-position file's path and count, and the record
// buffer every read and write of the history goes through. Every operation sets the path and
// opens a session; nothing stays open between two actions.
class HistoryFiles {
public:
    HistoryFiles();
    ~HistoryFiles();

    QString AppDir;
    QString HistPath;
    int HistFileNo = 0;
    int HistCount = 0;
    DrawRecord HistRec;

    // inji04.dat, the print positions; card printing reads and writes it itself.
    QString InjiPath;
    int InjiCount = 0;

    // What a damaged history message tells the user to do; the command line names its own
    // way out.
    QString damageAdvice = QStringLiteral(
        "「抽選結果ダウンロード」画面の「データ取込み」で「開　始」を押し、numbers4_2.csv "
        "から抽選履歴を生成し直してください。");
    // How long a writer waits for another copy of the program to finish.
    int lockWaitMs = 5000;
    // Today in Japan: no stored draw may be dated after it. The windows set it from their host.
    std::function<QDate()> today = [] { return japanDate(QDateTime::currentDateTime()); };

    // Captures the data folder (history::dataFolder()) into AppDir.
    void GetAppDir();
    // AppDir, or the data folder when not captured yet.
    QString folder() const;
    // That folder joined with a file name.
    QString appFile(const QString& name) const;

    // Opens HistPath and sets HistCount. Everything read until the session ends comes from
    // this one open file, so a history replaced meanwhile (renamed over it) is not seen at all
    // and an append only past HistCount: an operation that reads through one session sees one
    // whole history. A length that is not whole records throws DamagedHistory (a reader first
    // waits for a writer holding the folder's lock, whose append shows so for an instant); a
    // failed open, or the lock held by another copy (LockBusy), FileError.
    FileSession OpenNumberFile(Access access = Access::Read);

    // Record n into HistRec, checked: a record that is not draw n (or, read right after
    // record n - 1, not dated after it) throws DamagedHistory; n outside 1..HistCount throws
    // FileError.
    void readHist(int n);
    // Every record checked in one pass, for the operations that read the whole history.
    void checkHistory();
    // Record n (1..HistCount) as it is stored, without any check: a neighbour to compare with.
    DrawRecord peekHist(int n);
    // HistRec as record n (1..HistCount + 1), in a Write session, synced to the disk before
    // it returns. A record that would not fit between its neighbours throws FileError.
    void writeHist(int n);

    // Closes every open file of the program (the sessions make this unnecessary; it stays for
    // callers that want a clean slate).
    void CloseAll();

    bool isHistOpen() const { return hist_ != nullptr; }

    // The message of a damaged history, with the advice.
    DamagedHistory damaged(int record, const QString& problem) const;

private:
    QByteArray read(QFile* file, const QString& path, int n);
    // Record n's bytes: n must lie within 1..HistCount and the record be whole.
    QByteArray storedRecord(int n);
    void write(QFile* file, const QString& path, int n, const QByteArray& bytes);
    FileSession open(std::unique_ptr<QFile>& slot, const QString& path, Access access);

    int nextFileNo_ = 1;
    std::unique_ptr<QFile> hist_;
    int lastReadNo_ = 0; // the record last read and found sound, for the order check
    QDate openedOn_;     // today() when the file was opened: no record may be dated later
    QByteArray lastReadDate_;
};

} // namespace history
