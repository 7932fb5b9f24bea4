// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>

// Colour arithmetic for following the desktop's colour scheme.
namespace skorvex::controls {

// The contrast ratio of two colours as WCAG 2 defines it: 1 (none) to 21
// (black on white).
double contrast(const QColor& a, const QColor& b);

// Pure red where it stands out from `ground` by 3:1, else the nearest red that
// does: darker on a light ground, lighter on a dark one.
QColor readable_red(const QColor& ground);

} // namespace skorvex::controls
