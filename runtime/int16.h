// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// 16-bit arithmetic: every count, operand, answer, level and time value of the
// drill is a 16-bit signed integer, and leaving -32768..32767 is an overflow
// error, never a wrap-around.
namespace skorvex::runtime {

using int16 = std::int16_t;

// Each throws Error(overflow) when the exact result leaves the 16-bit range.
int16 add(int16 a, int16 b);
int16 sub(int16 a, int16 b);
int16 mul(int16 a, int16 b);

// An exact integer (the product or sum of several 16-bit values) narrowed to
// 16 bits; throws Error(overflow) when it does not fit.
int16 narrow(std::int64_t value);

// A real rounded to the nearest integer, halves to the even neighbour.
// Throws Error(real_arithmetic) for NaN or infinity, Error(overflow) when the
// rounded value does not fit.
int16 round_to_int16(double value);

} // namespace skorvex::runtime
