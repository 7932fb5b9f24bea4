// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls/controls.h"
#include "runtime/int16.h"
#include "runtime/random.h"

#include <array>

// The three ways of making the next problem. Each writes the operands to
// `topnum` and `botnum` and the expected answer, as text, to the hidden label
// `anst`, reading the operation from the option buttons. Errors from the
// runtime (a `Level` or `tnum` text that is not a number, an overflow) pass
// through unhandled and leave what was already written.
namespace skorvex::problems {

using runtime::int16;

// Two random factors scaled by the level and offset by the last digit of the
// seconds left. The sequence is never reseeded: each start of the program
// gives the same problems in the same order.
class RandomProblem {
public:
    explicit RandomProblem(controls::Controls& c);
    void random_problem();

private:
    controls::Controls& c_;
    runtime::RandomSequence sequence_;
};

// The tables in order from the starting table: multiplier 1 to 12, moving on
// after 12 or after an answer below 1.
class TablesEzProblem {
public:
    explicit TablesEzProblem(controls::Controls& c);
    void tables_ez_problem();

private:
    controls::Controls& c_;
    int16 ez_table_ = 0;
    int16 ez_mult_ = 0;
};

// Each table through one fixed mixed order of multipliers; a Subtraction
// problem with a negative answer is dropped within the same call.
class TablesRandomProblem {
public:
    explicit TablesRandomProblem(controls::Controls& c);
    void tables_random_problem();

private:
    [[nodiscard]] int16 rand_order_at(int16 index) const;

    controls::Controls& c_;
    int16 rand_table_ = 0;
    int16 rand_pos_ = 0;
    std::array<int16, 12> rand_order_ {};
};

// The generators together, as the run controller and answer checking call them.
class Problems {
public:
    explicit Problems(controls::Controls& c);

    void random_problem() { random_.random_problem(); }
    void tables_ez_problem() { ez_.tables_ez_problem(); }
    void tables_random_problem() { shuffled_.tables_random_problem(); }

private:
    RandomProblem random_;
    TablesEzProblem ez_;
    TablesRandomProblem shuffled_;
};

} // namespace skorvex::problems
