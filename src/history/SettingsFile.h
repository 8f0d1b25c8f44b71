#pragma once

#include <QString>
#include <QStringList>

namespace history {

// seteifile.dat: the two narrowing sizes as one line "S,W" followed by CR LF.

// Replaces the file whole (temporary file beside it, synced, renamed over the old one), so a
// failed save leaves the previous file as it was. Throws FileError when it cannot.
void writeSettingsFile(const QString& path, const QString& singles, const QString& doubles);

// The first two fields of the file, read as comma-separated input: a field ends at a comma
// or a line end, blanks around it are dropped, double quotes around it are removed. `error`
// is a message for the user when the file is missing or holds fewer than two fields.
struct SettingsFields {
    QString singles;
    QString doubles;
    QString error;
};
SettingsFields readSettingsFile(const QString& path);

} // namespace history
