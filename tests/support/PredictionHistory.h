#pragma once

#include "TestHistory.h"

#include <QDate>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace testing_support {

// The candidates of a list grid, rows 1 to count of column 1.
inline QStringList listOf(const ui::Grid& list, int count) {
    QStringList items;
    for (int r = 1; r <= count; ++r)
        items.append(list.text(r, 1));
    return items;
}

// Writes a basic list by hand and sets its count.
inline void setList(ui::Grid& list, int& count, const QStringList& items) {
    for (int r = 1; r <= 30; ++r)
        list.setText(r, 1, items.value(r - 1));
    count = static_cast<int>(items.size());
}

inline QStringList wordsOf(const char* text) {
    return QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts);
}

// A history of 53 draws whose prediction for draw 53 was worked out by hand. Draws 41 to
// 50 (9999 down to 0000) reset the digit order to 0..9; P = 7777 and L = 5555 follow, so
// the digit tables are Ａ 5, Ｂ 7, Ｃ 0 3 4 7 (draw 40 opens the latest month), Ｄ 3 4 6 7 8 9,
// marker 3, axis digits 4 and 6. Recent singles before 53, newest first: 0347 (40), 7105
// (30), 9875 (20), 2579 (10); recent doubles: 7570 (35), 1157 (25). Draw 53 is 9725.
inline std::vector<Draw> handWorkedHistory() {
    std::vector<Draw> draws;
    // One draw a day: draws 1 to 8 end December, 9 to 39 fill January, 40 on in February.
    for (int n = 1; n <= 53; ++n) {
        const QDate date = QDate(2025, 12, 24).addDays(n - 1);
        draws.push_back({QStringLiteral("0000"), date.toString(u"yyyy/MM/dd"), 1000 * n});
    }
    for (int i = 0; i < 10; ++i)
        draws[40 + i].number = QString(4, QChar(u'0' + 9 - i));
    const std::pair<int, const char*> numbers[] = {{10, "2579"}, {20, "9875"}, {25, "1157"},
                                                   {30, "7105"}, {35, "7570"}, {40, "0347"},
                                                   {51, "7777"}, {52, "5555"}, {53, "9725"}};
    for (const auto& [n, number] : numbers)
        draws[n - 1].number = QString::fromLatin1(number);
    return draws;
}

// ②集計 with the pair AB (Ａ 5, Ｂ 7): every single and every double holding 5 and 7.
inline const char* const kHandWorkedBasicS =
    "0157 0257 0357 0457 0567 0578 0579 1257 1357 1457 1567 1578 1579 2357 "
    "2457 2567 2578 2579 3457 3567 3578 3579 4567 4578 4579 5678 5679 5789";
inline const char* const kHandWorkedBasicW =
    "0057 1157 2257 3357 4457 5507 5517 5527 5537 5547 5567 5578 5579 6657 "
    "7705 7715 7725 7735 7745 7756 7758 7759 8857 9957";
// ③S・W絞り with 更に絞る (K = 6, L = 3), N = 3 (0347, 7105, 9875), M = 1 (7570).
inline const char* const kHandWorkedNarrowS =
    "0257 0457 0578 0579 1257 1457 1578 1579 2457 2578 2579 4578 4579";
inline const char* const kHandWorkedNarrowW =
    "1157 2257 4457 5517 5527 5547 5578 5579 7715 7725 7745 7758 7759 8857 9957";

} // namespace testing_support
