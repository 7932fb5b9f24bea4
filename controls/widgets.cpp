// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/widgets.h"

#include <QPainter>

namespace skorvex::controls {

void FlatLineEdit::paintEvent(QPaintEvent* event)
{
    QLineEdit::paintEvent(event);
    // Four filled one-pixel strips: far cheaper than stroking a rectangle.
    QPainter painter(this);
    const QColor colour = palette().color(QPalette::Text);
    const int w = width();
    const int h = height();
    painter.fillRect(0, 0, w, 1, colour);
    painter.fillRect(0, h - 1, w, 1, colour);
    painter.fillRect(0, 0, 1, h, colour);
    painter.fillRect(w - 1, 0, 1, h, colour);
}

void PictureBox::set_picture(std::function<QPixmap(qreal)> read) { read_ = std::move(read); }

void PictureBox::showEvent(QShowEvent* event)
{
    if (pixmap().isNull() && read_)
        setPixmap(read_(devicePixelRatioF()));
    QLabel::showEvent(event);
}

RuleLine::RuleLine(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void RuleLine::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Text));
}

} // namespace skorvex::controls
