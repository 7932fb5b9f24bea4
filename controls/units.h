// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace skorvex::controls {

// The window is laid out in twips (1/1440 inch). At 96 dots per inch 15 twips
// make one logical pixel; Qt's own high-DPI scaling takes it from there.
constexpr int twips_to_pixels(int twips)
{
    return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15);
}

} // namespace skorvex::controls
