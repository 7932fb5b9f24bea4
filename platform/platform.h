// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What differs between the Linux desktop, Windows and a web page, behind one
// face: CMake builds one of platform/linux, platform/windows and platform/web.
// The program's main and the suite's call these, in this order.
#include "app/accessibility.h"

namespace skorvex::app {
class MainWindow;
}

namespace skorvex::platform {

// Before the application is made.
void prepare();

// Once the application is made, before the window: what the platform adds
// to it (a page's faces).
void start();

// The voice's way to the platform's own announcement, for the window: none
// where Qt's bridge carries it.
app::Announcer announcer();

// Shows the window as the platform shows it, and runs the program to its end.
int run(app::MainWindow& window);

} // namespace skorvex::platform
