// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "problems/operands.h"
#include "problems/problems.h"
#include "runtime/text.h"

namespace skorvex::problems {

using namespace runtime;
using controls::set_caption;

TablesEzProblem::TablesEzProblem(controls::Controls& c)
    : c_(c)
{
}

void TablesEzProblem::tables_ez_problem()
{
    // "Begin!" calls this before it disables itself: an enabled `begin` means
    // the run is just starting.
    if (c_.begin->isEnabled()) {
        ez_table_ = to_int16(controls::text(c_.tnum));
        ez_mult_ = 1;
    }

    set_caption(c_.topnum, to_text(ez_table_));
    set_caption(c_.botnum, to_text(ez_mult_));

    const int16 A = table_answer(c_, 0);

    set_caption(c_.anst, to_text(A));

    // The variables now move to the next problem; the one on show stays.
    ez_mult_ = add(ez_mult_, 1);
    if (ez_mult_ > 12 || A < 1) {
        ez_mult_ = 1;
        ez_table_ = add(ez_table_, 1);
    }
}

} // namespace skorvex::problems
