// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "runtime/int16.h"

#include <string>
#include <string_view>

// Numbers as text. Every number the window shows or keeps is the decimal text
// of a 16-bit integer; these are the only ways between the two. Texts are
// UTF-8. The numeric test and the conversion accept exactly the same texts:
// blanks (spaces and tabs) around, an optional sign, and decimal digits with at
// most one point and at least one digit. Nothing else: no exponent, grouping or
// currency sign, so a text that passes the test never fails to convert except
// by being out of range.
namespace skorvex::runtime {

bool is_numeric(std::string_view text);

// Rounds a fraction to the nearest integer, halves to even, decided from the
// decimal digits themselves. Throws Error(conversion) for a text that is not
// numeric and Error(overflow) for a number outside -32768..32767; both carry
// the text.
int16 to_int16(std::string_view text);

// Decimal digits, "-" before a negative number, nothing else.
std::string to_text(int16 value);

// The last character (a whole UTF-8 sequence) of the text; empty for empty.
std::string right_char(std::string_view text);

} // namespace skorvex::runtime
