// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QStringView>
#include <array>
#include <span>

// The window's 32 controls as data: one row per control, in the program's own
// order, boxes in twips relative to the container. build_controls() turns the
// rows into widgets; the tests walk the same rows.
namespace skorvex::controls {

enum class Kind {
    Label,
    TextBox,
    ComboBox,
    OptionButton,
    CommandButton,
    Frame,
    Image,
    Line,
    Timer
};

enum class Start { plain, enabled, disabled, hidden, selected, deselected };

// A: the problem and answer digits; B: the operation sign; C: "Begin!".
enum class Font { standard, A, B, C };

// The window's named system colours, plus the one fixed colour.
enum class Colour {
    standard,
    window_background, // system colour 5
    window_text, // system colour 8
    title_text, // system colour 9
    highlight_text, // system colour 14
    red,
};

enum class Align { left, centre };

struct Look {
    Align align = Align::left;
    Colour fore = Colour::standard;
    Colour back = Colour::standard;
};

struct ControlRow {
    QStringView name;
    Kind kind;
    QStringView container; // empty: the window itself
    QStringView caption;
    int left, top, width, height;
    int tab_index; // -1: the control has none
    Start start;
    Font font;
    Look look;
    std::span<const QStringView> items;
};

inline constexpr int window_width = 6648;
inline constexpr int window_height = 5244;
inline constexpr int timer_interval_ms = 1000;
// The suns are 72 x 72 pixels, larger than their box.
inline constexpr int picture_size = 72;

inline constexpr std::array<QStringView, 3> typeprob_items { u"Random", u"Tables-ez",
    u"Tables-Random" };
inline constexpr std::array<QStringView, 10> timetot_items { u"1 minute", u"2 minutes",
    u"3 minutes", u"4 minutes", u"5 minutes", u"6 minutes", u"7 minutes", u"8 minutes",
    u"9 minutes", u"10 minutes" };
inline constexpr std::array<QStringView, 15> tnum_items { u"1", u"2", u"3", u"4", u"5", u"6", u"7",
    u"8", u"9", u"10", u"11", u"12", u"13", u"14", u"15" };
inline constexpr std::array<QStringView, 3> level_items { u"1", u"2", u"3" };

namespace rows_detail {
    using enum Kind;
    using enum Start;
    using F = Font;
    using C = Colour;
    constexpr Look none {};
    constexpr Look centred { Align::centre };
    constexpr Look back14 { Align::left, C::standard, C::highlight_text };
    constexpr Look back9 { Align::left, C::standard, C::title_text };
    constexpr Look centred14 { Align::centre, C::standard, C::highlight_text };
    constexpr Look centred9 { Align::centre, C::standard, C::title_text };
    constexpr Look red_on14 { Align::centre, C::red, C::highlight_text };
    constexpr Look text8_on5 { Align::centre, C::window_text, C::window_background };
    constexpr std::span<const QStringView> no_items {};

    // clang-format off
    inline constexpr std::array<ControlRow, 32> rows { {
        // name         kind           in      caption                                                   left  top   width height tab start       font      look        items
        { u"exit",      CommandButton, u"",    u"exit",                                                  1440, 4800,  852,  252, 27, enabled,    F::standard, none,     no_items },
        { u"cmb_tstr",  ComboBox,      u"",    u"",                                                      6000,  840,  612,  288, 26, hidden,     F::standard, none,     no_items },
        { u"timetot",   ComboBox,      u"",    u"1 minute",                                               240, 3240, 1452,  288, 16, enabled,    F::standard, none,     timetot_items },
        { u"do_math",   CommandButton, u"",    u"GO!",                                                   5880, 3120,  612,  492,  2, disabled,   F::standard, none,     no_items },
        { u"typeprob",  ComboBox,      u"",    u"Random",                                                 240, 2400, 1452,  288, 13, enabled,    F::standard, none,     typeprob_items },
        { u"begin",     CommandButton, u"",    u"Begin!",                                                 120, 4320, 1212,  732,  0, enabled,    F::C,        none,     no_items },
        { u"ans",       TextBox,       u"",    u"",                                                      3720, 3000, 1932,  972,  1, disabled,   F::A,        centred,  no_items },
        { u"Timer1",    Timer,         u"",    u"",                                                         0,    0,    0,    0, -1, disabled,   F::standard, none,     no_items },
        { u"sel",       Frame,         u"",    u"Select Type!",                                           120,  480, 1692, 3612, 15, plain,      F::standard, back14,   no_items },
        { u"tnum",      ComboBox,      u"sel", u"1",                                                     1080, 2280,  492,  288, 23, enabled,    F::standard, none,     tnum_items },
        { u"Level",     ComboBox,      u"sel", u"1",                                                     1080, 3120,  492,  288, 19, enabled,    F::standard, none,     level_items },
        { u"div",       OptionButton,  u"sel", u"Division",                                               120, 1080, 1452,  252,  6, deselected, F::standard, back14,   no_items },
        { u"mult",      OptionButton,  u"sel", u"Multiplication",                                         120,  840, 1452,  252,  5, deselected, F::standard, back14,   no_items },
        { u"subt",      OptionButton,  u"sel", u"Subtraction",                                            120,  600, 1452,  252,  4, deselected, F::standard, back14,   no_items },
        { u"add",       OptionButton,  u"sel", u"Addition",                                               120,  360, 1452,  252,  3, selected,   F::standard, back14,   no_items },
        { u"Label1",    Label,         u"sel", u"Table Start #",                                          120, 2280,  732,  372, 24, disabled,   F::standard, centred14, no_items },
        { u"lvl",       Label,         u"sel", u"Difficulty Level",                                       120, 3120,  732,  372, 20, plain,      F::standard, centred14, no_items },
        { u"options",   Label,         u"sel", u"Options!",                                               120, 1560, 1332,  252, 17, plain,      F::standard, back14,   no_items },
        { u"nodiv",     Label,         u"",    u"Division Tables are not supported at this time! Sorry!", 3120,  120, 2292,  492, 25, hidden,     F::standard, centred9, no_items },
        { u"sunsad",    Image,         u"",    u"",                                                      2160,  360,  864,  864, -1, hidden,     F::standard, none,     no_items },
        { u"sunhap",    Image,         u"",    u"",                                                      2160,  360,  864,  864, -1, hidden,     F::standard, none,     no_items },
        { u"anst",      Label,         u"",    u"0",                                                     5880,  480,  732,  252, 22, hidden,     F::standard, none,     no_items },
        { u"tt",        Label,         u"",    u"0",                                                     6360,  120,  252,  252, 21, hidden,     F::standard, none,     no_items },
        { u"timeleft",  Label,         u"",    u"0",                                                     4920, 4200, 1212,  852, 18, plain,      F::A,        red_on14, no_items },
        { u"oper",      Label,         u"",    u"+",                                                     3000, 1920,  732,  732, 14, plain,      F::B,        centred9, no_items },
        { u"incor",     Label,         u"",    u"0",                                                     4440, 4680,  372,  252, 12, plain,      F::standard, centred9, no_items },
        { u"cor",       Label,         u"",    u"0",                                                     4440, 4320,  372,  252, 11, plain,      F::standard, centred9, no_items },
        { u"incorrect", Label,         u"",    u"Incorrect:",                                            3600, 4680,  732,  252, 10, plain,      F::standard, back9,    no_items },
        { u"correct",   Label,         u"",    u"Correct!:",                                             3600, 4320,  732,  252,  9, plain,      F::standard, back9,    no_items },
        { u"botnum",    Label,         u"",    u"0",                                                     3720, 1800, 1932,  852,  8, plain,      F::A,        text8_on5, no_items },
        { u"topnum",    Label,         u"",    u"0",                                                     3720,  840, 1932,  852,  7, plain,      F::A,        text8_on5, no_items },
        { u"Line1",     Line,          u"",    u"",                                                         0,    0,    0,    0, -1, plain,      F::standard, none,     no_items },
    } };
    // clang-format on
} // namespace rows_detail

inline constexpr const std::array<ControlRow, 32>& control_rows = rows_detail::rows;

// The rule under the operands: from (3720, 2880) to (5760, 2880), 3 pixels wide.
inline constexpr int line1_x1 = 3720;
inline constexpr int line1_x2 = 5760;
inline constexpr int line1_y = 2880;
inline constexpr int line1_pixel_width = 3;

namespace rows_detail {
    constexpr bool same(QStringView a, QStringView b)
    {
        if (a.size() != b.size())
            return false;
        for (qsizetype i = 0; i < a.size(); ++i)
            if (a[i] != b[i])
                return false;
        return true;
    }
    constexpr bool names_unique()
    {
        for (std::size_t i = 0; i < rows.size(); ++i)
            for (std::size_t j = i + 1; j < rows.size(); ++j)
                if (same(rows[i].name, rows[j].name))
                    return false;
        return true;
    }
    constexpr bool tab_indexes_unique_and_dense()
    {
        std::array<int, 28> seen {};
        for (const auto& row : rows) {
            if (row.tab_index < 0)
                continue;
            if (row.tab_index >= static_cast<int>(seen.size()) || seen[row.tab_index]++ != 0)
                return false;
        }
        for (const int count : seen)
            if (count != 1)
                return false;
        return true;
    }
    constexpr bool containers_come_first()
    {
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].container.empty())
                continue;
            bool found = false;
            for (std::size_t j = 0; j < i; ++j)
                found = found
                    || (same(rows[j].name, rows[i].container) && rows[j].kind == Kind::Frame);
            if (!found)
                return false;
        }
        return true;
    }
    static_assert(names_unique());
    static_assert(tab_indexes_unique_and_dense());
    static_assert(containers_come_first());
} // namespace rows_detail

} // namespace skorvex::controls
