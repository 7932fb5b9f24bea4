// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "problems/operands.h"
#include "problems/problems.h"
#include "runtime/error.h"
#include "runtime/text.h"

namespace skorvex::problems {

using namespace runtime;
using controls::set_caption;

TablesRandomProblem::TablesRandomProblem(controls::Controls& c)
    : c_(c)
{
}

int16 TablesRandomProblem::rand_order_at(int16 index) const
{
    if (index < 0 || index >= static_cast<int16>(rand_order_.size()))
        throw Error(ErrorKind::array_bounds, {});
    return rand_order_[static_cast<std::size_t>(index)];
}

void TablesRandomProblem::tables_random_problem()
{
    // "Begin!" calls this before it disables itself: an enabled `begin` means
    // the run is just starting.
    if (c_.begin->isEnabled()) {
        rand_table_ = to_int16(controls::text(c_.tnum));
        rand_pos_ = 0;
        rand_order_ = { 10, 5, 1, 2, 11, 9, 7, 12, 4, 6, 3, 8 };
    }

    // Division leaves A at 0, so only Subtraction can loop; a problem with a
    // negative answer is overwritten before the call returns.
    int16 A = 0;
    while (true) {
        set_caption(c_.topnum, to_text(rand_table_));
        set_caption(c_.botnum, to_text(rand_order_at(rand_pos_)));

        A = table_answer(c_, A);

        set_caption(c_.anst, to_text(A));

        rand_pos_ = add(rand_pos_, 1);
        if (rand_pos_ > 11) {
            rand_pos_ = 0;
            rand_table_ = add(rand_table_, 1);
        }

        if (A >= 0)
            return;
    }
}

} // namespace skorvex::problems
