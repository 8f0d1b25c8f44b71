// Feeds arbitrary bytes to the print-position file reader: whatever it accepts must put every
// mark on the card, apart from the others.
#include "cardprint/CardLayout.h"

#include <cstdint>
#include <cstdlib>

namespace {

bool onCard(const cardprint::Mark& m) {
    return m.x >= 0 && m.y >= 0 && m.x + cardprint::kMarkWidthTwips <= cardprint::kCardWidthTwips &&
           m.y + cardprint::kMarkHeightTwips <= cardprint::kCardHeightTwips;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const cardprint::InjiFile file = cardprint::decodeInjiFile(bytes, QStringLiteral("inji04.dat"));
    if (!file.exists || file.record.has_value() != (bytes.size() >= cardprint::kInjiRecordBytes))
        std::abort();
    if (!file.record) {
        if (file.problem.isEmpty())
            std::abort(); // a short file is told
        return 0;
    }
    if (cardprint::encodeInji(*file.record) != bytes.left(cardprint::kInjiRecordBytes))
        std::abort(); // written back exactly as read
    if (!file.problem.isEmpty())
        return 0;
    const cardprint::Positions& p = file.record->pos;
    for (int slot = 0; slot < cardprint::kSlotsPerCard; ++slot) {
        for (int b = 0; b < 3; ++b)
            if (!onCard(cardprint::buyTypeMark(p, b, slot)))
                std::abort();
        for (int row = 0; row < 4; ++row)
            for (int d = 0; d <= 9; ++d) {
                const cardprint::Mark m = cardprint::digitMark(p, row, d, slot);
                if (!onCard(m))
                    std::abort();
                // The next column, and the next row up, lie clear of this mark.
                if (d < 9 &&
                    cardprint::digitMark(p, row, d + 1, slot).x - m.x < cardprint::kMarkWidthTwips)
                    std::abort();
                if (m.y - cardprint::digitMark(p, row + 1, d, slot).y < cardprint::kMarkHeightTwips)
                    std::abort();
            }
        // The next slot's buy-type row lies below this slot's Ａ row.
        if (cardprint::buyTypeMark(p, 0, slot + 1).y - cardprint::digitMark(p, 0, 0, slot).y <
            cardprint::kMarkHeightTwips)
            std::abort();
    }
    return 0;
}
