// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/text.h"

#include "runtime/error.h"

#include <cstdint>
#include <optional>

namespace skorvex::runtime {

namespace {

    bool is_blank(char c) { return c == ' ' || c == '\t'; }
    bool is_digit(char c) { return c >= '0' && c <= '9'; }

    // The parts of a numeric text; views into the text.
    struct Number {
        bool negative = false;
        std::string_view whole; // digits before the point
        std::string_view fraction; // digits after the point
    };

    std::optional<Number> parse(std::string_view text)
    {
        while (!text.empty() && is_blank(text.front()))
            text.remove_prefix(1);
        while (!text.empty() && is_blank(text.back()))
            text.remove_suffix(1);

        Number number;
        if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
            number.negative = text.front() == '-';
            text.remove_prefix(1);
        }
        const auto point = text.find('.');
        number.whole = text.substr(0, point);
        if (point != std::string_view::npos)
            number.fraction = text.substr(point + 1);

        if (number.whole.empty() && number.fraction.empty())
            return std::nullopt;
        for (const char c : number.whole)
            if (!is_digit(c))
                return std::nullopt;
        for (const char c : number.fraction)
            if (!is_digit(c))
                return std::nullopt;
        return number;
    }

    // Half to even from the digits: the first fraction digit decides, and a
    // 5 followed by zeros only is an exact half.
    bool rounds_up(std::string_view fraction, bool whole_is_odd)
    {
        if (fraction.empty() || fraction.front() < '5')
            return false;
        if (fraction.front() > '5')
            return true;
        for (const char c : fraction.substr(1))
            if (c != '0')
                return true;
        return whole_is_odd;
    }

} // namespace

bool is_numeric(std::string_view text) { return parse(text).has_value(); }

int16 to_int16(std::string_view text)
{
    const auto number = parse(text);
    if (!number)
        throw Error(ErrorKind::conversion, std::string(text));

    std::string_view whole = number->whole;
    while (!whole.empty() && whole.front() == '0')
        whole.remove_prefix(1);
    // Six significant digits are already out of range, whatever the rounding.
    if (whole.size() > 6)
        throw Error(ErrorKind::overflow, std::string(text));

    std::int32_t magnitude = 0;
    for (const char c : whole)
        magnitude = magnitude * 10 + (c - '0');
    if (rounds_up(number->fraction, magnitude % 2 != 0))
        ++magnitude;

    const std::int32_t value = number->negative ? -magnitude : magnitude;
    if (value < -32768 || value > 32767)
        throw Error(ErrorKind::overflow, std::string(text));
    return static_cast<int16>(value);
}

std::string to_text(int16 value) { return std::to_string(value); }

std::string right_char(std::string_view text)
{
    if (text.empty())
        return {};
    // Step back over UTF-8 continuation bytes to the start of the last
    // character; no character is longer than four bytes.
    auto start = text.size() - 1;
    while (start > 0 && text.size() - start < 4
        && (static_cast<unsigned char>(text[start]) & 0xC0U) == 0x80U)
        --start;
    return std::string(text.substr(start));
}

} // namespace skorvex::runtime
