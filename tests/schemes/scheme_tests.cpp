// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "contrast.h"
#include "window_fixture.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtTest/QTest>
#include <algorithm>
#include <cstdio>

namespace {

using namespace skorvex::testing_support;
using namespace Qt::StringLiterals;

class OnScreen : public WindowTest {};

// The window on a real X display, in the desktop colour scheme that its caller
// set up, read back from the X server as a screenshot.
TEST_F(OnScreen, EveryCaptionAndValueIsLegibleInTheDesktopsScheme)
{
    ASSERT_EQ(QGuiApplication::platformName(), u"xcb"_s) << "run under an X display";
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    show_every_caption();
    QTest::qWait(300); // for the X server to show the last paint
    const QImage shot = window->screen()
                            ->grabWindow(window->winId())
                            .toImage()
                            .convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shot.size(), window->size());
    if (const QString path = qEnvironmentVariable("SKORVEX_SCREENSHOT"); !path.isEmpty())
        shot.save(path);

    std::vector<Reading> readings = read_contrasts(*window, shot);
    std::ranges::sort(readings, {}, &Reading::ratio);
    for (const Reading& reading : readings) {
        std::printf("  %-10s %5.2f  %s on %s%s\n", qPrintable(reading.control), reading.ratio,
            qPrintable(reading.text.name()), qPrintable(reading.ground.name()),
            reading.disabled ? "  (disabled)" : "");
        if (!reading.disabled) {
            EXPECT_GE(reading.ratio, reading.needed) << reading.control.toStdString();
        }
    }
}

} // namespace
