// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QIcon>
#include <QPixmap>

// The pictures compiled into the program: the two suns, with their versions
// for high-density screens, and the light-bulb window icon in both sizes.
namespace skorvex::assets {

// The sun for a screen of the given device pixel ratio: the 72 x 72 picture
// itself on a normal screen, the 144 x 144 one above it. Either way it is
// 72 x 72 logical pixels.
QPixmap happy_sun(qreal device_pixel_ratio);
QPixmap sad_sun(qreal device_pixel_ratio);

// 16 x 16 and 32 x 32, with the 64 x 64 version of the large one.
QIcon window_icon();

} // namespace skorvex::assets
