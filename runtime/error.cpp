// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "runtime/error.h"

#include <utility>

namespace skorvex::runtime {

std::string_view kind_name(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::overflow:
        return "Overflow";
    case ErrorKind::conversion:
        return "Type mismatch";
    case ErrorKind::array_bounds:
        return "Subscript out of range";
    case ErrorKind::real_arithmetic:
        return "Invalid real arithmetic";
    }
    return "Error";
}

namespace {
    std::string describe(ErrorKind kind, const std::string& text)
    {
        std::string what(kind_name(kind));
        if (!text.empty())
            what += ": \"" + text + "\"";
        return what;
    }
}

Error::Error(ErrorKind kind, std::string text)
    : std::runtime_error(describe(kind, text))
    , kind_(kind)
    , text_(std::move(text))
{
}

} // namespace skorvex::runtime
