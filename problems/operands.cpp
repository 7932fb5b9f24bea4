// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "problems/operands.h"

#include "runtime/text.h"

namespace skorvex::problems {

Operands read_operands(const controls::Controls& c)
{
    const runtime::int16 top = runtime::to_int16(controls::caption(c.topnum));
    const runtime::int16 bottom = runtime::to_int16(controls::caption(c.botnum));
    return { top, bottom };
}

runtime::int16 table_answer(controls::Controls& c, runtime::int16 answer)
{
    using namespace runtime;
    // The option buttons are read one after the other; exactly one is selected.
    if (c.add->isChecked()) {
        const auto shown = read_operands(c);
        answer = to_int16(to_text(add(shown.bottom, shown.top)));
    }
    if (c.subt->isChecked()) {
        const auto shown = read_operands(c);
        answer = to_int16(to_text(sub(shown.top, shown.bottom)));
    }
    if (c.mult->isChecked()) {
        const auto shown = read_operands(c);
        answer = to_int16(to_text(mul(shown.bottom, shown.top)));
    }
    if (c.div->isChecked())
        c.nodiv->show();
    return answer;
}

} // namespace skorvex::problems
