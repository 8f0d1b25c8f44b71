#include "Numeric.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

namespace ui {

double leadingNumber(QStringView text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t' || text[i] == QChar(0x3000)))
        ++i;
    bool negative = false;
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    double value = 0;
    bool any = false;
    while (i < n && text[i] >= u'0' && text[i] <= u'9') {
        value = value * 10 + (text[i].unicode() - u'0');
        any = true;
        ++i;
    }
    if (i < n && text[i] == u'.') {
        ++i;
        double scale = 0.1;
        while (i < n && text[i] >= u'0' && text[i] <= u'9') {
            value += (text[i].unicode() - u'0') * scale;
            scale /= 10;
            any = true;
            ++i;
        }
    }
    if (!any)
        return 0;
    return negative ? -value : value;
}

long long roundHalfEven(double value) {
    // Saturate: a text of fifty digits must not become an undefined conversion.
    constexpr double kLimit = 9223372036854775807.0; // 2^63, the first value out of range
    const double r = std::nearbyint(value);
    if (std::isnan(r))
        return 0;
    if (r >= kLimit)
        return std::numeric_limits<long long>::max();
    if (r < -kLimit)
        return std::numeric_limits<long long>::min();
    return static_cast<long long>(r);
}

long long leadingInt(QStringView text) {
    return roundHalfEven(leadingNumber(text));
}

QString groupThousands(long long value) {
    QString digits = QString::number(value < 0 ? -value : value);
    for (qsizetype pos = digits.size() - 3; pos > 0; pos -= 3)
        digits.insert(pos, u',');
    return value < 0 ? u'-' + digits : digits;
}

QString yen(long long amount, bool sign) {
    const QString digits = QStringLiteral("¥") + groupThousands(std::llabs(amount));
    if (amount < 0)
        return QStringLiteral("-") + digits;
    return sign && amount > 0 ? QStringLiteral("+") + digits : digits;
}

QString returnPercent(long long costYen, long long payoutYen) {
    if (costYen <= 0)
        return QStringLiteral("-");
    return QString::number(100.0 * static_cast<double>(payoutYen) / static_cast<double>(costYen),
                           'f', 1) +
           QStringLiteral("%");
}

QString numberText(long long value) {
    constexpr long long kShared = 10000;
    // One table per thread: workers sharing texts would contend for their reference counts.
    thread_local const std::vector<QString> shared = [] {
        std::vector<QString> texts;
        texts.reserve(kShared);
        for (long long n = 0; n < kShared; ++n)
            texts.push_back(QString::number(n));
        return texts;
    }();
    if (value >= 0 && value < kShared)
        return shared[static_cast<size_t>(value)];
    return QString::number(value);
}

long long percentFloor(long long part, long long whole) {
    const long long scaled = 100 * part;
    long long q = scaled / whole;
    if ((scaled % whole != 0) && ((scaled < 0) != (whole < 0)))
        --q;
    return q;
}

} // namespace ui
