// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <vector>

class QWidget;

// Legibility read from pixels, as a viewer sees it: for each control that
// shows text, the ground is the commonest colour of its text area and the text
// the colour that stands out most from it, by the WCAG 2 contrast ratio.
namespace skorvex::testing_support {

struct Reading {
    QString control;
    QColor text;
    QColor ground;
    double ratio;
    double needed; // 4.5 for text, 3 for the large digits, the sign and the rule
    bool disabled; // disabled text follows the scheme's disabled colour instead
};

// Reads every visible, text-bearing control of `window` from `image`, a
// picture of the whole window at one image pixel per window pixel.
std::vector<Reading> read_contrasts(const QWidget& window, const QImage& image);

// The outlines and states of the controls in the same picture, each against
// what lies beside it (3:1 needed): an option button's ring and, when chosen,
// its dot; a combo box's frame; the answer box's border; a button's edge, and
// the default button's mark inside its edge. Disabled controls are marked.
std::vector<Reading> read_outlines(const QWidget& window, const QImage& image);

} // namespace skorvex::testing_support
