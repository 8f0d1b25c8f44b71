// Feeds arbitrary bytes to the seteifile.dat reader.
#include "history/SettingsFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const history::SettingsFields read = history::parseSettings(bytes, QStringLiteral("s.dat"));
    if (!read.error.isEmpty()) {
        if (!read.singles.isEmpty() || !read.doubles.isEmpty())
            std::abort(); // a refusal reads nothing
        return 0;
    }
    for (const QString& size : {read.singles, read.doubles}) {
        if (size.isEmpty() || size.size() > 4)
            std::abort();
        for (QChar c : size)
            if (c < u'0' || c > u'9')
                std::abort(); // only whole numbers reach the lists
    }
    // What the program writes of it reads back the same.
    const history::SettingsFields again = history::parseSettings(
        (read.singles + u',' + read.doubles).toUtf8() + "\r\n", QStringLiteral("s.dat"));
    if (again.singles != read.singles || again.doubles != read.doubles)
        std::abort();
    return 0;
}
