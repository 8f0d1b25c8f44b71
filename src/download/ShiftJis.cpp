#include "ShiftJis.h"

#include <cerrno>
#include <iconv.h>

namespace download {

QString decodeCp932(const QByteArray& bytes) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1))
        return QString::fromLatin1(bytes); // glibc without its gconv modules: ASCII still reads

    QString out;
    out.reserve(bytes.size());
    char* in = const_cast<char*>(bytes.constData());
    size_t inLeft = static_cast<size_t>(bytes.size());
    char buffer[4096];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof(buffer);
        const size_t r = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        // iconv writes whole characters only, so every chunk is complete UTF-8.
        out.append(QString::fromUtf8(buffer, static_cast<qsizetype>(sizeof(buffer) - outLeft)));
        if (r != static_cast<size_t>(-1) || errno == E2BIG)
            continue;
        // An invalid or truncated sequence: mark it and go on after its first byte.
        out.append(QChar(QChar::ReplacementCharacter));
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

} // namespace download
