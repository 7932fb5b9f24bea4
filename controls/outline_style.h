// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QProxyStyle>

namespace skorvex::controls {

// The desktop's own style, with the outlines that tell a child where a control
// is and what state it is in drawn over in the scheme's text colour, which
// stands out from the window's ground in every scheme: the ring and the dot of
// an option button, the frame of a combo box and the edge of a button. The
// window's keyboard button has an edge twice as thick. Everything else is the
// desktop style's own.
class OutlineStyle : public QProxyStyle {
    Q_OBJECT
public:
    // Over a fresh instance of the application's style of the moment.
    OutlineStyle();
    // Over `base`, which it takes.
    explicit OutlineStyle(QStyle* base);

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
        QPainter* painter, const QWidget* widget = nullptr) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
        const QWidget* widget = nullptr) const override;
};

} // namespace skorvex::controls
