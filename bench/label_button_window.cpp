// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The baseline for start-up: the least a Qt Widgets program that shows text
// can do, a window of the drill's size with one label and one push button.
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Label and button"));
    window.resize(440, 350);
    QLabel label(QStringLiteral("0"), &window);
    QPushButton button(QStringLiteral("Begin!"), &window);
    button.move(8, 300);
    window.show();
    return QApplication::exec();
}
