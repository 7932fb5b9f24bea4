// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

// The drill's three pictures, drawn from code so that the committed PNG files
// can be made again at any time: the happy and the sad sun (72 x 72, opaque)
// and the light-bulb icon (32 x 32 and 16 x 16, transparent around the bulb).
// `scale` 2 draws the same picture for high-density screens.
namespace skorvex::artwork {

enum class Mouth { smile, open };

QImage draw_sun(Mouth mouth, int scale);
QImage draw_bulb_32();
QImage draw_bulb_16();

// The light bulb as a Windows program file carries it: 16, 32, 48 and 256
// pixels, the larger two the pixel art of the small ones enlarged pixel for
// pixel, so that they stay crisp.
QList<QImage> windows_icon_images();
// An .ico file of the images, each a 32-bit bitmap with its transparency
// mask: uncompressed, so the same pixels always give the same bytes.
QByteArray icon_file(const QList<QImage>& images);

// The mouth area, in 1x pixels: the two suns differ only inside it.
inline constexpr int mouth_left = 18;
inline constexpr int mouth_right = 50;
inline constexpr int mouth_top = 46;
inline constexpr int mouth_bottom = 60;

} // namespace skorvex::artwork
