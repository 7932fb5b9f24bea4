// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace skorvex::runtime {

enum class ErrorKind {
    overflow,
    conversion,
    array_bounds,
    real_arithmetic,
};

// The learner-facing name of an error kind, as the error report shows it.
std::string_view kind_name(ErrorKind kind);

// The one error the runtime raises. `text` is the offending text where the
// learner typed or chose it (the answer, the level, the starting table); a
// value the drill worked out itself is never carried, so it is never quoted
// back as if typed.
class Error : public std::runtime_error {
public:
    Error(ErrorKind kind, std::string text);

    [[nodiscard]] ErrorKind kind() const { return kind_; }
    [[nodiscard]] const std::string& text() const { return text_; }

private:
    ErrorKind kind_;
    std::string text_;
};

} // namespace skorvex::runtime
