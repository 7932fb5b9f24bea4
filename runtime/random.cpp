// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/random.h"

namespace skorvex::runtime {

namespace {
    constexpr std::uint64_t multiplier = 1140671485;
    constexpr std::uint64_t increment = 12820163;
    constexpr std::uint64_t modulus = 1U << 24U;
}

double RandomSequence::next()
{
    state_ = static_cast<std::uint32_t>((state_ * multiplier + increment) % modulus);
    return static_cast<double>(state_) / static_cast<double>(modulus);
}

} // namespace skorvex::runtime
