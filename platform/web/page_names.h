// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the program shares with the page it runs in (packaging/web's
// index.html and page.js): the ids of the voice's two live regions and the
// event that tells the page the program has ended. Named here only: the page
// is put together with these names written into it (@polite_region@ and so
// on), read from this file.
namespace skorvex::platform::page_names {

inline constexpr const char* polite_region = "skorvex-polite";
inline constexpr const char* assertive_region = "skorvex-assertive";
inline constexpr const char* ended_event = "skorvex-ended";

} // namespace skorvex::platform::page_names
