#pragma once

#include "history/DrawRecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <vector>

namespace download {

struct ImportResult {
    std::vector<history::DrawRecord> records; // in file order, newest draw first
    QString error;                            // empty when every line was read
};

// Splits one line of the import file into its fields: a field ends at a comma or the line
// end, blanks around it and enclosing double quotes are dropped.
QStringList splitImportLine(const QString& line);

// Reads the whole import file: twelve fields a line, newest draw first, draw numbers
// running without gaps down to 1. Blank lines are skipped. The first fault found is
// returned as a message naming the file and the line; then no records are returned.
ImportResult parseImportCsv(const QByteArray& content, const QString& fileName);

} // namespace download
