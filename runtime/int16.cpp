// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/int16.h"

#include "runtime/error.h"

#include <cmath>
#include <limits>

namespace skorvex::runtime {

int16 narrow(std::int64_t value)
{
    if (value < std::numeric_limits<int16>::min() || value > std::numeric_limits<int16>::max())
        throw Error(ErrorKind::overflow, {});
    return static_cast<int16>(value);
}

int16 add(int16 a, int16 b) { return narrow(std::int64_t { a } + b); }

int16 sub(int16 a, int16 b) { return narrow(std::int64_t { a } - b); }

int16 mul(int16 a, int16 b) { return narrow(std::int64_t { a } * b); }

int16 round_to_int16(double value)
{
    if (!std::isfinite(value))
        throw Error(ErrorKind::real_arithmetic, {});
    // nearbyint rounds halves to even in the default rounding mode.
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<int16>::min() || rounded > std::numeric_limits<int16>::max())
        throw Error(ErrorKind::overflow, {});
    return static_cast<int16>(rounded);
}

} // namespace skorvex::runtime
