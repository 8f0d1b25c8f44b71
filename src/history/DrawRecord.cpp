#include "DrawRecord.h"

#include <cstring>

namespace history {

namespace {

template <typename T> void putLE(char* out, T value) {
    auto u = static_cast<std::make_unsigned_t<T>>(value);
    for (size_t i = 0; i < sizeof(T); ++i)
        out[i] = static_cast<char>((u >> (8 * i)) & 0xFF);
}

template <typename T> T getLE(const char* in) {
    std::make_unsigned_t<T> u = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        u |= static_cast<std::make_unsigned_t<T>>(static_cast<unsigned char>(in[i])) << (8 * i);
    return static_cast<T>(u);
}

void putText(char* out, const QByteArray& text, int width) {
    std::memset(out, ' ', width);
    std::memcpy(out, text.constData(), std::min<qsizetype>(text.size(), width));
}

} // namespace

QByteArray DrawRecord::fixedText(const QString& text, int width) {
    QByteArray bytes = text.toLatin1().left(width);
    if (bytes.size() < width)
        bytes.append(QByteArray(width - bytes.size(), ' '));
    return bytes;
}

QString DrawRecord::slashedDate() const {
    const QString d = dateText();
    return d.left(4) + u'/' + d.mid(4, 2) + u'/' + d.right(2);
}

QByteArray DrawRecord::encode() const {
    QByteArray out(kSize, '\0');
    char* p = out.data();
    putLE<int32_t>(p + 0, DrawNo);
    putText(p + 4, DrawDate, 8);
    putText(p + 12, WinNumber, 4);
    for (int k = 0; k < 4; ++k)
        putLE<int16_t>(p + 16 + 2 * k, Winners[k]);
    for (int k = 0; k < 4; ++k)
        putLE<int32_t>(p + 24 + 4 * k, Payout[k]);
    for (int k = 0; k < 10; ++k)
        putLE<int16_t>(p + 40 + 2 * k, DigitTable[k]);
    putLE<int16_t>(p + 60, HitFlag);
    putText(p + 62, Filler, kFillerSize);
    return out;
}

DrawRecord DrawRecord::decode(const QByteArray& bytes) {
    QByteArray full = bytes.left(kSize);
    if (full.size() < kSize)
        full.append(QByteArray(kSize - full.size(), '\0'));
    const char* p = full.constData();
    DrawRecord r;
    r.DrawNo = getLE<int32_t>(p + 0);
    r.DrawDate = QByteArray(p + 4, 8);
    r.WinNumber = QByteArray(p + 12, 4);
    for (int k = 0; k < 4; ++k)
        r.Winners[k] = getLE<int16_t>(p + 16 + 2 * k);
    for (int k = 0; k < 4; ++k)
        r.Payout[k] = getLE<int32_t>(p + 24 + 4 * k);
    for (int k = 0; k < 10; ++k)
        r.DigitTable[k] = getLE<int16_t>(p + 40 + 2 * k);
    r.HitFlag = getLE<int16_t>(p + 60);
    r.Filler = QByteArray(p + 62, kFillerSize);
    return r;
}

int equalPairs(const QString& number) {
    int pairs = 0;
    for (int i = 0; i < 4; ++i)
        for (int j = i + 1; j < 4; ++j)
            if (number.size() > j && number[i] == number[j])
                ++pairs;
    return pairs;
}

QDate japanDate(const QDateTime& instant) {
    return instant.toOffsetFromUtc(9 * 3600).date();
}

} // namespace history
