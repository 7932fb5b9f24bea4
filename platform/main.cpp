// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/font_warm_up.h"
#include "app/main_window.h"
#include "platform/platform.h"

#include <QApplication>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    skorvex::app::FontWarmUp fonts;
    skorvex::platform::prepare();
    // A desktop theme built on GTK starts GTK inside this process, and GTK
    // would register a second, empty application with screen readers beside
    // Qt's. Only that start reads the switch, so it is dropped again after.
    const bool bridge_was_off = qEnvironmentVariableIsSet("NO_AT_BRIDGE");
    qputenv("NO_AT_BRIDGE", "1");
    QApplication application(argc, argv);
    if (!bridge_was_off)
        qunsetenv("NO_AT_BRIDGE");
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(u"org.skorvex.Skorvex"_s);
    fonts.wait();
    skorvex::platform::start();
    skorvex::app::MainWindow window({ .announcer = skorvex::platform::announcer() });
    return skorvex::platform::run(window);
}
