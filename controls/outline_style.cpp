// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/outline_style.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOption>
#include <algorithm>

namespace skorvex::controls {

namespace {
    QColor ink(const QStyleOption& option) { return option.palette.color(QPalette::Text); }

    // `width` pixel rings just inside `rect`, drawn square to the pixel grid.
    void edge(QPainter& painter, const QRect& rect, const QColor& colour, int width)
    {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(Qt::NoPen);
        painter.setBrush(colour);
        const QRect r = rect.normalized();
        painter.drawRect(r.left(), r.top(), r.width(), width);
        painter.drawRect(r.left(), r.bottom() - width + 1, r.width(), width);
        painter.drawRect(r.left(), r.top(), width, r.height());
        painter.drawRect(r.right() - width + 1, r.top(), width, r.height());
        painter.restore();
    }
}

OutlineStyle::OutlineStyle()
    : QProxyStyle(QApplication::style()->name())
{
}

OutlineStyle::OutlineStyle(QStyle* base)
    : QProxyStyle(base)
{
}

void OutlineStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
    QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    if (element == PE_IndicatorRadioButton) {
        const QRectF box = option->rect;
        const qreal side = std::min(box.width(), box.height());
        const QRectF ring(box.center().x() - side / 2, box.center().y() - side / 2, side, side);
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->setPen(QPen(ink(*option), 1.5));
        painter->setBrush(Qt::NoBrush);
        painter->drawEllipse(ring.adjusted(0.75, 0.75, -0.75, -0.75));
        if (option->state & State_On) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(ink(*option));
            const qreal dot = side * 0.2;
            painter->drawEllipse(ring.center(), dot, dot);
        }
        painter->restore();
    }
}

// After the bevel: the one part of a push button every style draws itself,
// whatever it draws the bevel with.
void OutlineStyle::drawControl(ControlElement element, const QStyleOption* option,
    QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element == CE_PushButtonBevel) {
        const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
        const bool keyboard_button
            = button != nullptr && (button->features & QStyleOptionButton::DefaultButton);
        edge(*painter, option->rect, ink(*option), keyboard_button ? 2 : 1);
    }
}

void OutlineStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
    QPainter* painter, const QWidget* widget) const
{
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_ComboBox)
        edge(*painter, option->rect, ink(*option), 1);
}

// The edit field of a combo box is a widget of its own, drawn over the combo
// box: it is kept inside the frame, which would otherwise be drawn over
// where a style lets the field reach the combo box's edge.
QRect OutlineStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
    SubControl part, const QWidget* widget) const
{
    const QRect rect = QProxyStyle::subControlRect(control, option, part, widget);
    if (control == CC_ComboBox && part == SC_ComboBoxEditField)
        return rect.intersected(option->rect.adjusted(1, 1, -1, -1));
    return rect;
}

} // namespace skorvex::controls
