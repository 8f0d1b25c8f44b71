#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace ui {

// One line of comma-separated input, read strictly: a field ends at a comma or the line end
// and loses the blanks around it; a field may instead be a quoted value, "...", with only
// blanks around the quotes, commas kept inside and "" standing for one quote. Text after a
// closing quote, a quote inside an unquoted field and a quote never closed are faults: then
// `badField` is the field (counted from 1) and `error` says what is wrong with it.
struct CsvLine {
    QStringList fields;
    int badField = 0;
    QString error;
};
CsvLine splitCsvLine(QStringView line);

// The lines of a text, whichever of CR LF, LF or CR ends them; a last line without an end
// is a line too, a line end at the very end adds none.
QStringList splitLines(const QString& text);

// A text as a message can show it: control characters (NUL, tab, ...) and the replacement
// character of undecodable bytes written as <00>, <09>, <FFFD>, so nothing in it is invisible.
QString visibleText(QStringView text);

} // namespace ui
