// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/font_warm_up.h"
#include "app/main_window.h"

#include <QApplication>

using namespace Qt::StringLiterals;

int main(int argc, char* argv[])
{
    skorvex::app::FontWarmUp fonts;
    QApplication application(argc, argv);
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(u"org.skorvex.Skorvex"_s);
    fonts.wait();
    skorvex::app::MainWindow window;
    window.show();
    return QApplication::exec();
}
