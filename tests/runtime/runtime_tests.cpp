// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/error.h"
#include "runtime/int16.h"
#include "runtime/random.h"
#include "runtime/text.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace {

using namespace skorvex::runtime;

std::optional<ErrorKind> error_of(const std::string& text)
{
    try {
        (void)to_int16(text);
    } catch (const Error& error) {
        return error.kind();
    }
    return std::nullopt;
}

struct Conversion {
    const char* name;
    std::string text;
    int expected;
};

void PrintTo(const Conversion& row, std::ostream* out) { *out << row.name; }

class ConvertsNumericText : public testing::TestWithParam<Conversion> {};

TEST_P(ConvertsNumericText, ToTheRoundedValue)
{
    const auto& row = GetParam();
    EXPECT_TRUE(is_numeric(row.text)) << row.text;
    EXPECT_EQ(to_int16(row.text), row.expected) << row.text;
}

INSTANTIATE_TEST_SUITE_P(Texts, ConvertsNumericText,
    testing::Values(Conversion { "plain", "12", 12 },
        Conversion { "blanks_around", " \t12 \t", 12 }, Conversion { "plus_sign", "+12", 12 },
        Conversion { "leading_zero", "012", 12 }, Conversion { "trailing_point", "12.", 12 },
        Conversion { "zero_fraction", "12.0", 12 }, Conversion { "half_down_to_even", "12.5", 12 },
        Conversion { "half_up_to_even", "13.5", 14 }, Conversion { "odd_half_up", "11.5", 12 },
        Conversion { "just_over_half", "12.5000000000000000001", 13 },
        Conversion { "just_under_half", "12.4999999999999999999", 12 },
        Conversion { "above_half", "12.51", 13 }, Conversion { "negative_half", "-2.5", -2 },
        Conversion { "negative_odd_half", "-3.5", -4 }, Conversion { "bare_half", ".5", 0 },
        Conversion { "bare_point_six", ".6", 1 }, Conversion { "negative_small", "-0.4", 0 },
        Conversion { "max", "32767", 32767 }, Conversion { "min", "-32768", -32768 },
        Conversion { "max_rounded_down", "32767.4", 32767 },
        Conversion { "min_half_to_even", "-32768.5", -32768 },
        Conversion { "three_hundred_zeros", std::string(300, '0') + "12", 12 }),
    [](const auto& info) { return std::string(info.param.name); });

struct Rejection {
    const char* name;
    std::string text;
    bool numeric;
    ErrorKind kind;
};

void PrintTo(const Rejection& row, std::ostream* out) { *out << row.name; }

class RejectsText : public testing::TestWithParam<Rejection> {};

TEST_P(RejectsText, WithTheRightError)
{
    const auto& row = GetParam();
    EXPECT_EQ(is_numeric(row.text), row.numeric) << row.text;
    EXPECT_EQ(error_of(row.text), row.kind) << row.text;
}

INSTANTIATE_TEST_SUITE_P(Texts, RejectsText,
    testing::Values(Rejection { "empty", "", false, ErrorKind::conversion },
        Rejection { "blanks_only", "  \t ", false, ErrorKind::conversion },
        Rejection { "letters", "abc", false, ErrorKind::conversion },
        Rejection { "lone_sign", "-", false, ErrorKind::conversion },
        Rejection { "lone_point", ".", false, ErrorKind::conversion },
        Rejection { "signed_point", "+.", false, ErrorKind::conversion },
        Rejection { "two_points", "1.2.3", false, ErrorKind::conversion },
        Rejection { "two_signs", "--1", false, ErrorKind::conversion },
        Rejection { "inner_blank", "1 2", false, ErrorKind::conversion },
        Rejection { "blank_after_sign", "- 1", false, ErrorKind::conversion },
        Rejection { "exponent", "1e3", false, ErrorKind::conversion },
        Rejection { "grouping", "1,000", false, ErrorKind::conversion },
        Rejection { "currency", "$5", false, ErrorKind::conversion },
        Rejection { "hex", "&H10", false, ErrorKind::conversion },
        Rejection { "newline_is_no_blank", "12\n", false, ErrorKind::conversion },
        Rejection { "non_ascii_digit", "\xd9\xa3", false, ErrorKind::conversion },
        Rejection { "just_over_max", "32768", true, ErrorKind::overflow },
        Rejection { "max_half_rounds_out", "32767.5", true, ErrorKind::overflow },
        Rejection { "just_under_min", "-32769", true, ErrorKind::overflow },
        Rejection { "min_rounds_out", "-32768.6", true, ErrorKind::overflow },
        Rejection { "typed_99999", "99999", true, ErrorKind::overflow },
        Rejection { "huge", std::string(5000, '9'), true, ErrorKind::overflow }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Errors, CarryKindAndOffendingText)
{
    try {
        (void)to_int16("abc");
        FAIL() << "no error";
    } catch (const Error& error) {
        EXPECT_EQ(error.kind(), ErrorKind::conversion);
        EXPECT_EQ(error.text(), "abc");
        EXPECT_EQ(kind_name(error.kind()), "Type mismatch");
        EXPECT_STREQ(error.what(), "Type mismatch: \"abc\"");
    }
    EXPECT_EQ(kind_name(ErrorKind::overflow), "Overflow");
}

TEST(IntegerText, IsPlainDecimalDigits)
{
    EXPECT_EQ(to_text(0), "0");
    EXPECT_EQ(to_text(-3), "-3");
    EXPECT_EQ(to_text(32767), "32767");
    EXPECT_EQ(to_text(-32768), "-32768");
    for (int value = -32768; value <= 32767; value += 7)
        ASSERT_EQ(to_int16(to_text(static_cast<int16>(value))), value);
}

TEST(RightChar, TakesTheLastWholeCharacter)
{
    EXPECT_EQ(right_char(""), "");
    EXPECT_EQ(right_char("47"), "7");
    EXPECT_EQ(right_char("x"), "x");
    EXPECT_EQ(right_char("a\xc3\xb7"), "\xc3\xb7"); // a÷
    EXPECT_EQ(right_char("1\xf0\x9f\x98\x80"), "\xf0\x9f\x98\x80"); // 1 and an emoji
}

TEST(CheckedArithmetic, RaisesOverflowAtTheEdges)
{
    EXPECT_EQ(add(32766, 1), 32767);
    EXPECT_EQ(sub(-32767, 1), -32768);
    EXPECT_EQ(mul(-128, 256), -32768);
    EXPECT_EQ(mul(42, 33), 1386);
    auto kind_of = [](auto f) -> std::optional<ErrorKind> {
        try {
            f();
        } catch (const Error& error) {
            return error.kind();
        }
        return std::nullopt;
    };
    EXPECT_EQ(kind_of([] { (void)add(32767, 1); }), ErrorKind::overflow);
    EXPECT_EQ(kind_of([] { (void)sub(-32768, 1); }), ErrorKind::overflow);
    EXPECT_EQ(kind_of([] { (void)mul(182, 182); }), ErrorKind::overflow);
    EXPECT_EQ(kind_of([] { (void)mul(-1, -32768); }), ErrorKind::overflow);
    EXPECT_EQ(kind_of([] { (void)narrow(40000); }), ErrorKind::overflow);
    EXPECT_EQ(kind_of([] { (void)round_to_int16(32767.5); }), ErrorKind::overflow);
    EXPECT_EQ(kind_of([] { (void)round_to_int16(std::nan("")); }), ErrorKind::real_arithmetic);
    EXPECT_EQ(kind_of([] { (void)round_to_int16(HUGE_VAL); }), ErrorKind::real_arithmetic);
}

TEST(RealToInteger, RoundsHalvesToEven)
{
    EXPECT_EQ(round_to_int16(0.2), 0);
    EXPECT_EQ(round_to_int16(3.5), 4);
    EXPECT_EQ(round_to_int16(8.5), 8);
    EXPECT_EQ(round_to_int16(0.25 * 10 + 1), 4);
    EXPECT_EQ(round_to_int16(0.75 * 10 + 1), 8);
    EXPECT_EQ(round_to_int16(-2.5), -2);
    EXPECT_EQ(round_to_int16(-32768.5), -32768);
}

TEST(RandomSequence, StartsWithTheSameDrawsEveryTime)
{
    RandomSequence sequence;
    EXPECT_DOUBLE_EQ(sequence.next(), 0.7055475115776062);
    EXPECT_DOUBLE_EQ(sequence.next(), 0.5334240198135376);
    EXPECT_DOUBLE_EQ(sequence.next(), 0.5795186161994934);
    RandomSequence again;
    EXPECT_DOUBLE_EQ(again.next(), 0.7055475115776062);
    for (int i = 0; i < 100000; ++i) {
        const double r = sequence.next();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
    }
}

} // namespace
