// Feeds arbitrary bytes to the result-file parser, as the draw that line 2 names (so that
// inputs get past the draw-number check) and as the last and first draws of the two eras.
#include "download/ResultFile.h"
#include "download/ShiftJis.h"

#include <cstdint>
#include <cstdlib>

namespace {

void check(const download::ResultParse& r, long long requested) {
    if (!r.error.isEmpty())
        return;
    const auto& d = r.draw;
    bool ok = d.drawNo == requested && d.date.size() == 8 && d.number.size() == 4;
    for (QChar c : d.date + d.number)
        ok = ok && c >= u'0' && c <= u'9';
    for (int k = 0; k < 4; ++k)
        ok = ok && d.winners[k] >= 0 && d.winners[k] <= 32767 && d.payout[k] >= 0;
    if (!ok)
        std::abort(); // accepted a draw that cannot be stored as read
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QString text = download::decodeCp932(bytes);
    const long long named = download::leadingDrawNumber(text.section(u'\n', 1, 1));
    for (long long requested : {named, 5166LL, 5167LL})
        check(download::parseResultFile(text, requested), requested);
    return 0;
}
