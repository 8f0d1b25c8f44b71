// Feeds arbitrary bytes to the index-file reader and checks that whatever it accepts can be
// put into an address and a draw range: one digit for the prefix and a positive draw that the
// weekday limit never raises.
#include "download/ResultFile.h"
#include "download/ShiftJis.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const download::IndexFile index = download::parseIndexFile(download::decodeCp932(bytes));
    if (!index.error.isEmpty()) {
        if (!index.prefix.isEmpty() || index.latest != 0)
            std::abort(); // a refused file must leave nothing behind
        return 0;
    }
    if (index.prefix.size() != 1 || index.prefix[0] < u'0' || index.prefix[0] > u'9' ||
        index.latest < 1 || index.latest > 999'999'999)
        std::abort();
    // The latest stored draw and the days since it, taken from the input's own length.
    const long long stored = static_cast<long long>(size % 10'000);
    const QDate last(2026, 9, 11);
    const long long believed =
        download::believableLatest(index.latest, stored, last, last.addDays(size % 400));
    if (believed > index.latest || believed > stored + static_cast<long long>(size % 400))
        std::abort();
    return 0;
}
