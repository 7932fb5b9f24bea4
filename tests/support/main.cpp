// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/platform.h"

#include <QApplication>
#include <gtest/gtest.h>
#ifdef Q_OS_WASM
#include <emscripten.h>
#endif

namespace {

#ifndef Q_OS_WASM
// What a desktop session hands its programs and Qt reads at start: the
// platform, its theme (which may bring GTK's or Plasma's palette, fonts and
// style), the style, scaling and font DPI, the accessibility switch and the
// locale. The tests set each themselves, so that whoever runs them, wherever,
// gets the same answer.
constexpr const char* session_variables[] = {
    "QT_QPA_PLATFORMTHEME",
    "QT_STYLE_OVERRIDE",
    "QT_SCALE_FACTOR",
    "QT_SCREEN_SCALE_FACTORS",
    "QT_AUTO_SCREEN_SCALE_FACTOR",
    "QT_ENABLE_HIGHDPI_SCALING",
    "QT_SCALE_FACTOR_ROUNDING_POLICY",
    "QT_USE_PHYSICAL_DPI",
    "QT_FONT_DPI",
    "QT_ACCESSIBILITY",
    "QT_LINUX_ACCESSIBILITY_ALWAYS_ON",
    "GTK_THEME",
    "XDG_CURRENT_DESKTOP",
    "XDG_SESSION_DESKTOP",
    "DESKTOP_SESSION",
    "KDE_FULL_SESSION",
    "KDE_SESSION_VERSION",
    "LANGUAGE",
    "LC_ALL",
    "DISPLAY",
    "WAYLAND_DISPLAY",
};
#endif

// A page has one platform, the browser's, and its fonts are the program's own
// (see main).
void set_test_environment()
{
#ifndef Q_OS_WASM
#ifndef SKORVEX_TESTS_ON_A_DESKTOP
    for (const char* name : session_variables)
        qunsetenv(name);
    qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    // The same two faces on every machine, whatever else is installed, in
    // the system's folders or the caller's own: fontconfig reads the first
    // switch, and where there is no fontconfig (Windows) Qt reads the second.
    qputenv("FONTCONFIG_FILE", SKORVEX_TEST_FONTCONFIG);
    qputenv("QT_QPA_FONTDIR", SKORVEX_TEST_FONTDIR);
    qputenv("LANG", "C.UTF-8");
    qputenv("LC_ALL", "C.UTF-8");
#endif
}

} // namespace

// Window tests run headless, on Qt's offscreen platform, unless built to be
// shown on the desktop their caller set up (the colour scheme check).
int main(int argc, char* argv[])
{
    set_test_environment();
    // As the program starts on its platform: in a page, no Qt text input and
    // the page's faces.
    skorvex::platform::prepare();
    QApplication application(argc, argv);
    skorvex::platform::start();
#ifndef SKORVEX_TESTS_ON_A_DESKTOP
    QApplication::setStyle(QStringLiteral("Fusion"));
#endif
    testing::InitGoogleTest(&argc, argv);
    const int failed = RUN_ALL_TESTS();
#ifdef Q_OS_WASM
    // A page keeps a program with windows running after main: this one ends.
    emscripten_force_exit(failed);
#endif
    return failed;
}
