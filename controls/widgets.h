// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QWidget>
#include <functional>

namespace skorvex::controls {

// A text box with a flat one-pixel border, in the text colour, instead of the
// style's sunken frame.
class FlatLineEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A picture shown unscaled from its top-left corner. It is read when it is
// first shown, so that starting the program decodes no picture nobody sees.
class PictureBox : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;

    // Set before the box is first shown. `read` is given the device pixel
    // ratio of the screen the picture shows on.
    void set_picture(std::function<QPixmap(qreal)> read);

protected:
    void showEvent(QShowEvent* event) override;

private:
    std::function<QPixmap(qreal)> read_;
};

// A straight horizontal rule in the window's text colour.
class RuleLine : public QWidget {
    Q_OBJECT
public:
    explicit RuleLine(QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace skorvex::controls
