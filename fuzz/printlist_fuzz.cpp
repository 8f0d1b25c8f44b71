// Feeds arbitrary bytes to the print-list file reader.
#include "cardprint/PrintListText.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    constexpr int kLimit = 5; // small, so that the overflow count is reached too
    const cardprint::PrintListText read = cardprint::parsePrintList(bytes, kLimit);
    if (read.numbers.size() > kLimit || read.skipped < 0 || read.overflow < 0 ||
        (read.overflow > 0 && read.numbers.size() != kLimit) ||
        (read.skipped > 0) == read.firstSkipped.isEmpty())
        std::abort();
    for (const QString& number : read.numbers) {
        if (number.size() != 4)
            std::abort();
        for (QChar c : number)
            if (c < u'0' || c > u'9')
                std::abort(); // only four ASCII digits become a row
    }
    for (QChar c : read.firstSkipped)
        if (c.unicode() < 0x20)
            std::abort(); // a message never hides what it names
    return 0;
}
