#pragma once

#include "Narrowing.h"

#include "mainwindow/MainForm.h"

#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace simulate {

struct FormAction;

// The ③ narrowings a tally replays, worked out on the digits of the basic lists instead of
// through the narrowed lists' grids. A tally books only what a narrowing leaves in
// narrowCountS, narrowCountW and narrowHit; writing two lists for every narrowing of every
// draw was most of a tally's time and nearly all of the strategy table's. One counter per
// form: it remembers the digits of the lists and of the recent draws between calls.
class NarrowingCounter {
public:
    // Sets narrowCountS, narrowCountW and narrowHit as the narrowing's button would (the
    // grids, GrdR and the labels stay as they were). False, with nothing changed, for a
    // narrowing it does not know or when a text the narrowing compares is not a single digit:
    // the button then has to run.
    bool apply(mainwindow::MainForm& form, const FormAction& narrowing);
    // The same with the basic lists given as rows of the box tables (MainForm::basicRows)
    // instead of read from GrdSS and GrdWW.
    bool apply(mainwindow::MainForm& form, const FormAction& narrowing,
               const mainwindow::MainForm::BasicRows& rows);

private:
    // A basic list read as digit sets. mask: the digits anywhere in the candidate; four: the
    // digits of its first four characters, or -1 when those are not four digits.
    struct Candidates {
        // What they were read from: a list grid's revision and count, or box table rows.
        bool fromRows = false;
        unsigned long long revision = ~0ULL;
        int count = -1;
        std::vector<int> rows;
        QString winKey;
        std::vector<std::uint16_t> mask;
        std::vector<std::int16_t> four;
        std::vector<bool> present; // not empty
        std::vector<bool> wins;    // equal to winKey
    };
    // The digit sets the recent draws of a side cover.
    struct Recent {
        int draw = -1, bound = -1;
        unsigned long long history = ~0ULL;
        CoveredSets covered;
    };
    bool run(mainwindow::MainForm& f, const FormAction& narrowing,
             const mainwindow::MainForm::BasicRows* rows);
    const Candidates& candidates(const mainwindow::MainForm& f, int side,
                                 const mainwindow::MainForm::BasicRows* rows);
    const Recent& recent(const mainwindow::MainForm& f, int side);

    std::array<Candidates, 2> lists_;
    std::array<Recent, 2> recent_;
};

} // namespace simulate
