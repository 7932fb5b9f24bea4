// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/font_warm_up.h"

#ifdef SKORVEX_FONT_WARM_UP
#include <fontconfig/fontconfig.h>
#endif

namespace skorvex::app {

FontWarmUp::FontWarmUp()
{
#ifdef SKORVEX_FONT_WARM_UP
    thread_ = std::thread([] { FcInit(); });
#endif
}

FontWarmUp::~FontWarmUp() { wait(); }

void FontWarmUp::wait()
{
    if (thread_.joinable())
        thread_.join();
}

} // namespace skorvex::app
