// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/font_warm_up.h"
#include "app/main_window.h"

#include <QApplication>
#ifdef Q_OS_WASM
#include "app/web_page.h"
#endif

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    skorvex::app::FontWarmUp fonts;
#ifdef Q_OS_WASM
    skorvex::app::prepare_page();
#endif
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
#ifdef Q_OS_WASM
    skorvex::app::add_page_fonts();
#endif
    skorvex::app::MainWindow window;
#ifdef Q_OS_WASM
    // The page is the frame: the window fills its place there.
    window.setWindowFlag(Qt::FramelessWindowHint);
    window.move(0, 0);
    // The page's elements are made before Qt first gives its canvas the
    // focus, which they change.
    window.winId();
    skorvex::app::PageMirror mirror(window, window.controls());
    window.show();
#else
    window.show();
#endif
    return QApplication::exec();
}
