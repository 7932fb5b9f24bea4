// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "problems/problems.h"

namespace skorvex::problems {

Problems::Problems(controls::Controls& c)
    : random_(c)
    , ez_(c)
    , shuffled_(c)
{
}

} // namespace skorvex::problems
