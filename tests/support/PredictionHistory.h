#pragma once

#include "TestHistory.h"

#include "simulate/Actions.h"
#include "simulate/NarrowingCounter.h"

#include <QDate>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace testing_support {

// The candidates of a list grid, rows 1 to count of column 1.
inline QStringList listOf(const ui::Grid& list, int count) {
    QStringList items;
    for (int r = 1; r <= count; ++r)
        items.append(list.text(r, mainwindow::ListCol::Number));
    return items;
}

// Writes a basic list by hand and sets its count.
inline void setList(ui::Grid& list, int& count, const QStringList& items) {
    for (int r = 1; r <= 30; ++r)
        list.setText(r, mainwindow::ListCol::Number, items.value(r - 1));
    count = static_cast<int>(items.size());
}

// Runs a narrowing's button after checking what simulate::NarrowingCounter books for it on
// the same lists: the button must leave narrowCountS, narrowCountW and narrowHit as the
// counter set them. False when the counter left the narrowing to the button.
inline bool narrowAndCount(mainwindow::MainForm& f, void (mainwindow::MainForm::*button)()) {
    const auto action = std::find_if(simulate::narrowings().begin(), simulate::narrowings().end(),
                                     [&](const auto& n) { return n.handler == button; });
    const std::array before{f.narrowCountS, f.narrowCountW, f.narrowHit};
    simulate::NarrowingCounter counter;
    const bool counted = counter.apply(f, *action);
    const std::array booked{f.narrowCountS, f.narrowCountW, f.narrowHit};
    EXPECT_TRUE(counted || booked == before);
    std::tie(f.narrowCountS, f.narrowCountW, f.narrowHit) = std::tuple_cat(before);
    (f.*button)();
    EXPECT_TRUE(!counted || booked == (std::array{f.narrowCountS, f.narrowCountW, f.narrowHit}));
    return counted;
}

inline QStringList wordsOf(const char* text) {
    return QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts);
}

// A history of 53 draws whose prediction for draw 53 was worked out by hand. Draws 41 to
// 50 (9999 down to 0000) reset the digit order to 0..9; P = 7777 and L = 5555 follow, so
// the digit tables are Ａ 5, Ｂ 7, Ｃ 0 3 4 7 (draw 40 opens the latest month), Ｄ 3 4 6 7 8 9,
// marker 3, axis digits 4 and 6. Recent singles before 53, newest first: 0347 (40), 7105
// (30), 9875 (20), 2579 (10); recent doubles: 7570 (35), 1157 (25). Draw 53 is 9725.
// tests/data/prediction/hand-worked-hits holds it as an import file, with the lists.
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

} // namespace testing_support
