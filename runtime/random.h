// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

namespace skorvex::runtime {

// The drill's one pseudo-random sequence: a 24-bit linear congruential
// generator that is never reseeded, so every start of the program yields the
// same numbers in the same order.
class RandomSequence {
public:
    // The next number r of the sequence, 0 <= r < 1.
    double next();

private:
    std::uint32_t state_ = 327680;
};

} // namespace skorvex::runtime
