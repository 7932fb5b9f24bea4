// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor for any program that shows text: the bare window with one label.
// Its first text makes Qt read the system's font configuration and fonts,
// which the bare window never does.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Label"));
    window.resize(443, 350);
    QLabel label(QStringLiteral("0"), &window);
    window.show();
    return QApplication::exec();
}
