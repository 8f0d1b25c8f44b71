// Feeds arbitrary bytes to the check of number414.dat, whole and record by record.
#include "history/HistoryFiles.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    int sound = -1;
    try {
        sound = history::checkHistoryBytes(bytes, QStringLiteral("number414.dat"), QString());
        if (sound * 128 != bytes.size())
            std::abort(); // every byte belongs to a counted record
    } catch (const history::DamagedHistory& e) {
        // The named record exists in the file, or is the torn one just past the last whole one.
        if (e.record() < 1 || e.record() > bytes.size() / 128 + 1 || e.message().isEmpty())
            std::abort();
    }
    // The record-by-record check agrees with the whole-file one.
    const int whole = static_cast<int>(bytes.size() / 128);
    history::DrawRecord previous;
    int firstBad = 0;
    for (int n = 1; n <= whole && firstBad == 0; ++n) {
        const auto r = history::DrawRecord::decode(bytes.mid((n - 1) * 128, 128));
        if (r.encode() != bytes.mid((n - 1) * 128, 128))
            std::abort(); // decoding loses nothing
        if (!history::recordProblem(r, n, n > 1 ? &previous : nullptr).isEmpty())
            firstBad = n;
        previous = r;
    }
    if ((sound >= 0) != (firstBad == 0 && bytes.size() % 128 == 0))
        std::abort();
    return 0;
}
