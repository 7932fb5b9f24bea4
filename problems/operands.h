// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls/controls.h"
#include "runtime/int16.h"

namespace skorvex::problems {

// The operands on show, read back from the captions just written.
struct Operands {
    runtime::int16 top;
    runtime::int16 bottom;
};

Operands read_operands(const controls::Controls& c);

// The answer of a table problem just written, for the selected operation,
// passed through text and back. Division tables are not offered: they show
// `nodiv` and keep `answer` as it was.
runtime::int16 table_answer(controls::Controls& c, runtime::int16 answer);

} // namespace skorvex::problems
