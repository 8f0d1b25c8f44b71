#include "Analysis.h"

#include "history/DrawRecord.h"

#include <algorithm>
#include <vector>

namespace predict {

int digitAt(const QString& number, int i) {
    if (i < 0 || i >= number.size())
        return 0;
    const QChar c = number[i];
    return c >= u'0' && c <= u'9' ? c.unicode() - u'0' : 0;
}

int patternCode(const QString& number) {
    switch (history::equalPairs(number)) {
    case 1:
        return 1;
    case 2:
        return 4;
    case 3:
        return 2;
    case 6:
        return 3;
    default:
        return 0;
    }
}

RecencyOrder nextRecencyOrder(const RecencyOrder& prev, const QString& number) {
    std::array<int, 10> position;
    position.fill(10);
    for (int k = 0; k < 10; ++k)
        if (prev[k] >= 0 && prev[k] <= 9 && position[prev[k]] == 10)
            position[prev[k]] = k;

    int d[4];
    int times[10] = {};
    for (int i = 0; i < 4; ++i)
        ++times[d[i] = digitAt(number, i)];
    auto byPosition = [&](int a, int b) { return position[a] < position[b]; };

    std::vector<int> front;
    switch (patternCode(number)) {
    case 0:
        front.assign(d, d + 4);
        std::stable_sort(front.begin(), front.end(), byPosition);
        break;
    case 1: {
        std::vector<int> others;
        for (int i = 0; i < 4; ++i) {
            if (times[d[i]] == 2) {
                if (front.empty())
                    front.push_back(d[i]);
            } else {
                others.push_back(d[i]);
            }
        }
        std::stable_sort(others.begin(), others.end(), byPosition);
        front.insert(front.end(), others.begin(), others.end());
        break;
    }
    case 2:
        for (int i = 0; i < 4; ++i)
            if (times[d[i]] == 3 && front.empty())
                front.push_back(d[i]);
        for (int i = 0; i < 4; ++i)
            if (times[d[i]] == 1)
                front.push_back(d[i]);
        break;
    case 3:
        front.push_back(d[0]);
        break;
    default: // AABB: the two digits in the order they first appear in the number
        for (int i = 0; i < 4; ++i)
            if (std::find(front.begin(), front.end(), d[i]) == front.end())
                front.push_back(d[i]);
        break;
    }

    RecencyOrder next = prev;
    size_t n = 0;
    for (int digit : front)
        if (n < next.size())
            next[n++] = digit;
    for (int digit : prev)
        if (n < next.size() && std::find(front.begin(), front.end(), digit) == front.end())
            next[n++] = digit;
    return next;
}

} // namespace predict
