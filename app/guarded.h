// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "runtime/error.h"

#include <functional>
#include <utility>

namespace skorvex::app {

using ErrorSink = std::function<void(const runtime::Error&)>;

// The one place where the runtime's errors are caught. Qt does not let an
// exception leave a slot, so every event handler runs inside this: a failing
// handler stops at the failing step, keeps what it already wrote, and its error
// goes to the sink. Anything other than a runtime error is a programming error
// and is left to fail loudly.
template <typename Handler> std::function<void()> guarded(Handler handler, ErrorSink sink)
{
    return [handler = std::move(handler), sink = std::move(sink)]() {
        try {
            handler();
        } catch (const runtime::Error& error) {
            sink(error);
        }
    };
}

} // namespace skorvex::app
