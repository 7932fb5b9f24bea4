#pragma once

#include <QLineEdit>
#include <QWidget>

namespace skorvex::controls {

// A text box with a flat one-pixel border instead of the style's sunken frame.
class FlatLineEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    void paintEvent(QPaintEvent* event) override;
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
