// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "problems/operands.h"
#include "problems/problems.h"
#include "runtime/text.h"

#include <cstdint>

namespace skorvex::problems {

using namespace runtime;
using controls::caption;
using controls::set_caption;

RandomProblem::RandomProblem(controls::Controls& c)
    : c_(c)
{
}

void RandomProblem::random_problem()
{
    // The offset is always 0 (`tt` holds "0" for good), but its draw is still
    // made, so every problem uses three draws.
    const int16 T = to_int16(caption(c_.tt));
    const double R1 = sequence_.next();
    const int16 X = round_to_int16((R1 * T + 1) / 5);

    const int16 D = to_int16(right_char(caption(c_.timeleft)));

    const double R2 = sequence_.next();
    const int16 B = round_to_int16(R2 * 10 + 1);
    const double R3 = sequence_.next();
    const int16 C = round_to_int16(R3 * 10 + 1);

    const int16 L = to_int16(controls::text(c_.Level));

    const int16 P = narrow(std::int64_t { L } * add(B, X));
    const int16 Q = narrow(D + std::int64_t { L } * B);

    int16 top = P;
    int16 bottom = Q;
    if (P < Q) {
        top = Q;
        bottom = P;
    }

    if (c_.div->isChecked()) {
        set_caption(c_.topnum, to_text(mul(B, C)));
        set_caption(c_.botnum, to_text(B));
    }
    if (!c_.div->isChecked()) {
        set_caption(c_.topnum, to_text(top));
        set_caption(c_.botnum, to_text(bottom));
    }

    std::string answer;
    if (c_.add->isChecked()) {
        const auto shown = read_operands(c_);
        answer = to_text(add(shown.bottom, shown.top));
    }
    if (c_.subt->isChecked()) {
        const auto shown = read_operands(c_);
        answer = to_text(sub(shown.top, shown.bottom));
    }
    if (c_.mult->isChecked()) {
        const auto shown = read_operands(c_);
        answer = to_text(mul(shown.bottom, shown.top));
    }
    if (c_.div->isChecked())
        answer = to_text(C);

    set_caption(c_.anst, answer);
}

} // namespace skorvex::problems
