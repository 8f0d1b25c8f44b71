#pragma once

#include "history/DrawRecord.h"

#include <QByteArray>
#include <QDate>
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <vector>

namespace download {

// Reads the import file one line at a time, newest draw first: twelve fields a line, split
// strictly (ui::splitCsvLine: text beside a quoted value is refused), draw numbers running
// without gaps down to 1, dates strictly earlier line by line and none after today; every
// number all digits, except that a winner count may be empty and a payout may be empty when
// its winner count is 0. A UTF-8 byte-order mark is skipped; lines may end in CR LF, LF or CR
// alone; blank lines are skipped. Memory stays flat whatever the file holds: a line longer
// than kMaxLineBytes is refused without reading it whole.
class ImportReader {
public:
    static constexpr int kMaxLineBytes = 1024;
    static constexpr qint64 kMaxFileBytes = 64LL * 1024 * 1024;

    ImportReader(QIODevice& in, QString fileName, QDate today);

    // The next draw into record. False at the end of the file, or at the first fault; then
    // error() tells which line and field (and stays empty when every line down to draw 1 was
    // read).
    bool next(history::DrawRecord& record);
    const QString& error() const { return error_; }
    // The draw number of the first line: the record count of the history it makes.
    int firstDraw() const { return firstDraw_; }

private:
    int nextByte();
    // False at the end of the file or on a line too long (error set).
    bool readLine(QByteArray& line);
    bool fail(int field, const QString& what);
    bool failLine(const QString& what);

    QIODevice& in_;
    QString fileName_;
    QDate today_;
    QByteArray buffer_;
    qsizetype pos_ = 0;
    bool atStart_ = true;
    bool afterCr_ = false;
    bool ended_ = false;
    int lineNo_ = 0;
    int lastRecordLine_ = 0;
    int firstDraw_ = 0;
    int previousDraw_ = 0;
    QByteArray previousDate_;
    QString error_;
};

struct ImportResult {
    std::vector<history::DrawRecord> records; // in file order, newest draw first
    QString error;                            // empty when every line was read
};

// The whole import file from memory (for small files and the fuzz harness). The first fault
// found is returned as a message naming the file, the line and the field; then no records.
ImportResult parseImportCsv(const QByteArray& content, const QString& fileName,
                            QDate today = QDate::currentDate());

} // namespace download
