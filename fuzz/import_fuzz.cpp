// Feeds arbitrary bytes to the numbers4_2.csv import.
#include "download/ImportCsv.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const download::ImportResult r = download::parseImportCsv(bytes, QStringLiteral("f.csv"));
    if (r.error.isEmpty() == r.records.empty())
        std::abort(); // records without a message or a message with records
    for (size_t i = 0; i < r.records.size(); ++i) {
        const auto& rec = r.records[i];
        // Newest first, without gaps, down to draw 1.
        if (rec.DrawNo != static_cast<int>(r.records.size() - i) || rec.DrawDate.size() != 8 ||
            rec.WinNumber.size() != 4 || rec.encode().size() != 128)
            std::abort();
    }
    return 0;
}
