// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "contrast.h"
#include "window_fixture.h"

#include <QGuiApplication>
#include <QScreen>
#include <QtTest/QTest>
#include <algorithm>
#include <cstdio>
#include <iterator>

namespace {

using namespace skorvex::testing_support;
using namespace Qt::StringLiterals;

class OnScreen : public WindowTest {
protected:
    // The window read back from the X server, after its last paint.
    QImage screenshot()
    {
        QTest::qWait(300);
        return window->screen()
            ->grabWindow(window->winId())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }

    // Prints each reading, lowest first, and fails those of enabled controls
    // below what they need.
    static void expect_enough(std::vector<Reading> readings)
    {
        std::ranges::sort(readings, {}, &Reading::ratio);
        for (const Reading& reading : readings) {
            std::printf("  %-14s %5.2f  %s on %s%s\n", qPrintable(reading.control), reading.ratio,
                reading.text.isValid() ? qPrintable(reading.text.name()) : "outline",
                qPrintable(reading.ground.name()), reading.disabled ? "  (disabled)" : "");
            if (!reading.disabled) {
                EXPECT_GE(reading.ratio, reading.needed) << reading.control.toStdString();
            }
        }
    }
};

// The window on a real X display, in the desktop colour scheme that its caller
// set up, read back from the X server as a screenshot.
TEST_F(OnScreen, EveryCaptionAndValueIsLegibleInTheDesktopsScheme)
{
    ASSERT_EQ(QGuiApplication::platformName(), u"xcb"_s) << "run under an X display";
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    show_every_caption();
    const QImage shot = screenshot();
    ASSERT_EQ(shot.size(), window->size());
    if (const QString path = qEnvironmentVariable("SKORVEX_SCREENSHOT"); !path.isEmpty())
        shot.save(path);
    expect_enough(read_contrasts(*window, shot));
}

// Outlines and states at rest, where the settings are enabled, and in a run,
// where "GO!" is.
TEST_F(OnScreen, EveryOutlineAndStateStandsOutInTheDesktopsScheme)
{
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    std::vector<Reading> readings = read_outlines(*window, screenshot());
    show_every_caption();
    std::ranges::copy(read_outlines(*window, screenshot()), std::back_inserter(readings));
    std::erase_if(readings, [](const Reading& reading) { return reading.disabled; });
    ASSERT_FALSE(readings.empty());
    const Reading lowest = *std::ranges::min_element(readings, {}, &Reading::ratio);
    std::printf("  lowest outline: %s %.2f\n", qPrintable(lowest.control), lowest.ratio);
    for (const Reading& reading : readings)
        EXPECT_GE(reading.ratio, reading.needed) << reading.control.toStdString();
}

} // namespace
