// The ③ narrowings on digit sets: the same keep rules as the buttons (SwNarrowing.cpp,
// OtherNarrowings.cpp), the same recent draws (Narrowing.cpp), no grid written.
#include "NarrowingCounter.h"

#include "Actions.h"

#include "mainwindow/MainForm.h"
#include "ui/Numeric.h"

#include <algorithm>
#include <cstring>

namespace simulate {

using mainwindow::Grd2Col;
using mainwindow::ListCol;

namespace {

// A text a candidate is tested for containing: an empty text (every candidate contains it)
// or one digit. Anything else cannot be told from a digit set.
constexpr int kEmptyProbe = -1;
constexpr int kNoProbe = -2;

int probe(QStringView text) {
    if (text.isEmpty())
        return kEmptyProbe;
    if (text.size() == 1 && text[0] >= u'0' && text[0] <= u'9')
        return text[0].unicode() - u'0';
    return kNoProbe;
}

bool holds(int mask, int probeDigit) {
    return probeDigit == kEmptyProbe || ((mask >> probeDigit) & 1) != 0;
}

enum class Rule { Sw, CFrame, Axis, Axis2 };

} // namespace

const NarrowingCounter::Candidates&
NarrowingCounter::candidates(const mainwindow::MainForm& f, int side,
                             const mainwindow::MainForm::BasicRows* rows) {
    const ui::Grid& list = side == 0 ? f.GrdSS : f.GrdWW;
    const ui::Grid& table = side == 0 ? f.GrdS : f.GrdW;
    const std::vector<int>* tableRows =
        rows ? (side == 0 ? &rows->singles : &rows->doubles) : nullptr;
    const int count = side == 0 ? f.basicCountS : f.basicCountW;
    const QString& winKey = side == 0 ? f.winKeyS : f.winKeyW;
    Candidates& c = lists_[static_cast<size_t>(side)];
    const bool same = tableRows ? c.fromRows && c.rows == *tableRows
                                : !c.fromRows && c.revision == list.revision() && c.count == count;
    if (same && c.winKey == winKey)
        return c;
    c.fromRows = tableRows != nullptr;
    c.revision = list.revision();
    c.count = count;
    c.rows = tableRows ? *tableRows : std::vector<int>{};
    c.winKey = winKey;
    const size_t n = tableRows ? tableRows->size() : static_cast<size_t>(std::max(count, 0));
    c.mask.assign(n, 0);
    c.four.assign(n, -1);
    c.present.assign(n, false);
    c.wins.assign(n, false);
    for (size_t j = 0; j < n; ++j) {
        const QString& x = tableRows ? table.text((*tableRows)[j], mainwindow::BoxCol::Number)
                                     : list.text(static_cast<int>(j) + 1, ListCol::Number);
        c.mask[j] = static_cast<std::uint16_t>(digitMask(x));
        c.four[j] = static_cast<std::int16_t>(fourDigitMask(x));
        c.present[j] = !x.isEmpty();
        c.wins[j] = !winKey.isEmpty() && x == winKey;
    }
    return c;
}

const NarrowingCounter::Recent& NarrowingCounter::recent(const mainwindow::MainForm& f, int side) {
    const int draw = static_cast<int>(ui::leadingInt(f.Combo1.text));
    const int bound = static_cast<int>(ui::leadingInt(f.Combo4[static_cast<size_t>(side)].text));
    Recent& r = recent_[static_cast<size_t>(side)];
    if (r.draw == draw && r.bound == bound && r.history == f.Grd2.revision())
        return r;
    r.draw = draw;
    r.bound = bound;
    r.history = f.Grd2.revision();
    r.covered.reset();
    const QString type = side == 0 ? QStringLiteral("S") : QStringLiteral("W");
    for (int row : recentDraws(f.Grd2, type, draw, std::max(bound, 0)))
        cover(r.covered, f.Grd2.text(row, Grd2Col::WinNumber));
    return r;
}

bool NarrowingCounter::apply(mainwindow::MainForm& f, const FormAction& narrowing) {
    return run(f, narrowing, nullptr);
}

bool NarrowingCounter::apply(mainwindow::MainForm& f, const FormAction& narrowing,
                             const mainwindow::MainForm::BasicRows& rows) {
    return run(f, narrowing, &rows);
}

bool NarrowingCounter::run(mainwindow::MainForm& f, const FormAction& narrowing,
                           const mainwindow::MainForm::BasicRows* rows) {
    Rule rule;
    if (std::strcmp(narrowing.key, "sw") == 0)
        rule = Rule::Sw;
    else if (std::strcmp(narrowing.key, "cframe") == 0)
        rule = Rule::CFrame;
    else if (std::strcmp(narrowing.key, "axis") == 0)
        rule = Rule::Axis;
    else if (std::strcmp(narrowing.key, "axis2") == 0)
        rule = Rule::Axis2;
    else
        return false;

    // The texts the rules compare with, as the buttons read them.
    std::vector<int> cList;
    for (const QString& d : digitColumn(f.Grd1a, 2, 6))
        cList.push_back(probe(d));
    const int draw = static_cast<int>(ui::leadingInt(f.Combo1.text));
    const int K = probe(shiftedUnitsDigit(f.Grd2, draw));
    const int L = probe(f.Label12.caption);
    const int axis1 = probe(f.LabJiku[0].caption.right(1));
    const int axis2 = probe(f.LabJiku[1].caption.right(1));
    const bool more = f.Check1.value != 0;
    const bool cFrame = f.Check2.value != 0;
    const bool usesCList = rule == Rule::CFrame || (rule == Rule::Sw && cFrame);
    const bool usesAxes = rule == Rule::Axis || rule == Rule::Axis2;
    if ((usesCList && std::count(cList.begin(), cList.end(), kNoProbe) > 0) ||
        (rule == Rule::Sw && more && (K == kNoProbe || L == kNoProbe)) ||
        (usesAxes && (axis1 == kNoProbe || axis2 == kNoProbe)))
        return false;

    // An empty basic S list: the buttons change nothing.
    if (rows ? rows->singles.empty() : f.GrdSS.text(1, ListCol::Number).isEmpty())
        return true;

    auto inCFrame = [&](int mask) {
        int c = 0;
        for (int d : cList)
            c += holds(mask, d);
        return c == 1 || c == 2;
    };
    auto keeps = [&](int mask) {
        switch (rule) {
        case Rule::Sw: {
            bool drop = more && (holds(mask, K) || holds(mask, L));
            if (cFrame)
                drop = !inCFrame(mask);
            return !drop;
        }
        case Rule::CFrame:
            return inCFrame(mask);
        case Rule::Axis:
        case Rule::Axis2:
            return holds(mask, axis1) || holds(mask, axis2);
        }
        return false;
    };
    const bool dropsRecent = rule == Rule::Sw || rule == Rule::Axis2;

    bool hit[2] = {false, false};
    for (int side = 0; side < 2; ++side) {
        const Candidates& c = candidates(f, side, rows);
        const Recent* r = dropsRecent ? &recent(f, side) : nullptr;
        int kept = 0;
        for (size_t j = 0; j < c.mask.size(); ++j) {
            if (!c.present[j] || !keeps(c.mask[j]))
                continue;
            if (r && c.four[j] >= 0 && r->covered.test(static_cast<size_t>(c.four[j])))
                continue;
            ++kept;
            hit[side] = hit[side] || c.wins[j];
        }
        (side == 0 ? f.narrowCountS : f.narrowCountW) = kept;
    }
    if (hit[0])
        f.narrowHit = 1;
    if (hit[1])
        f.narrowHit = 2;
    return true;
}

} // namespace simulate
