// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/colours.h"

#include <algorithm>
#include <cmath>

namespace skorvex::controls {

namespace {

    double linear(int channel)
    {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    }

    double luminance(const QColor& colour)
    {
        return 0.2126 * linear(colour.red()) + 0.7152 * linear(colour.green())
            + 0.0722 * linear(colour.blue());
    }

    QColor mix(const QColor& from, const QColor& to, double share)
    {
        const auto channel
            = [share](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * share)); };
        return { channel(from.red(), to.red()), channel(from.green(), to.green()),
            channel(from.blue(), to.blue()) };
    }

} // namespace

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readable_red(const QColor& ground)
{
    const QColor red(255, 0, 0);
    for (int step = 0; step <= 100; ++step)
        for (const QColor& towards : { QColor(Qt::black), QColor(Qt::white) }) {
            const QColor mixed = mix(red, towards, step / 100.0);
            if (contrast(mixed, ground) >= 3.0)
                return mixed;
        }
    return red;
}

} // namespace skorvex::controls
