#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace history {

// seteifile.dat: the two narrowing sizes as one line "S,W" followed by CR LF.

// Replaces the file whole (temporary file beside it, synced, renamed over the old one), so a
// failed save leaves the previous file as it was. Throws FileError when it cannot.
void writeSettingsFile(const QString& path, const QString& singles, const QString& doubles);

// The file's one line, read strictly: two comma-separated whole numbers (blanks around them
// dropped, each may be a quoted value, ui::splitCsvLine). Anything else (more or fewer
// fields, a field that is not a number, a second line that is not blank) is not a file this
// program wrote: `error` then says so, naming the file, and nothing is read.
struct SettingsFields {
    QString singles;
    QString doubles;
    QString error;
};
// The size a settings file may have; a bigger one is refused unread.
inline constexpr qint64 kMaxSettingsBytes = 4096;
SettingsFields parseSettings(const QByteArray& bytes, const QString& fileName);
// The same from the file at path; a missing or unreadable file is an error too.
SettingsFields readSettingsFile(const QString& path);

} // namespace history
