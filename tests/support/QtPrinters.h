#pragma once

#include <QString>
#include <QStringList>

#include <ostream>

// A test's own text, written as u"...".
inline QString s(const char16_t* text) {
    return QString::fromUtf16(text);
}

// Lets GoogleTest print Qt texts readably in failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '{';
    for (qsizetype i = 0; i < list.size(); ++i)
        *os << (i ? ", \"" : "\"") << list[i].toStdString() << '"';
    *os << '}';
}
