// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary bytes to the runtime's text services and checks that they
// agree with each other: a numeric text converts or overflows, a text that is
// not numeric always fails as "not a number", a converted value goes through
// text and back unchanged, and the last character is a tail of the text.
#include "runtime/error.h"
#include "runtime/text.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void fail(const char* what, std::string_view text)
{
    std::fprintf(stderr, "text fuzzer: %s for %zu bytes\n", what, text.size());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace skorvex::runtime;
    const std::string text(reinterpret_cast<const char*>(data), size);

    const bool numeric = is_numeric(text);
    try {
        const int16 value = to_int16(text);
        if (!numeric)
            fail("converted a text the numeric test rejects", text);
        if (to_int16(to_text(value)) != value)
            fail("value changed through text", text);
    } catch (const Error& error) {
        if (error.kind() == ErrorKind::conversion && numeric)
            fail("numeric text failed as not a number", text);
        if (error.kind() == ErrorKind::overflow && !numeric)
            fail("text that is not a number overflowed", text);
        if (error.kind() != ErrorKind::conversion && error.kind() != ErrorKind::overflow)
            fail("unexpected error kind", text);
        if (error.text() != text)
            fail("error does not carry the text", text);
    }

    const std::string last = right_char(text);
    if (text.empty() != last.empty() || last.size() > 4 || !text.ends_with(last))
        fail("last character is no tail", text);
    return 0;
}
