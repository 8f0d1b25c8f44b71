#pragma once

#include <QByteArray>
#include <QString>

namespace download {

// The operator's files are Shift-JIS in the Windows flavour (code page 932). Bytes that are
// not valid there become U+FFFD, so a damaged file still decodes and is then rejected by
// whatever reads it, rather than being cut short silently.
QString decodeCp932(const QByteArray& bytes);

} // namespace download
