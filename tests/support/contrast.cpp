// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "contrast.h"

#include "controls/colours.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegion>
#include <QStyle>
#include <QStyleOption>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace skorvex::testing_support {

using controls::contrast;
using namespace Qt::StringLiterals;

namespace {

    QHash<QRgb, int> colour_counts(const QImage& image, const QRegion& area)
    {
        QHash<QRgb, int> counts;
        for (const QRect& rect : area.intersected(image.rect()))
            for (int y = rect.top(); y <= rect.bottom(); ++y)
                for (int x = rect.left(); x <= rect.right(); ++x)
                    ++counts[image.pixel(x, y) | 0xff000000];
        return counts;
    }

    QColor commonest(const QHash<QRgb, int>& counts)
    {
        const auto most = std::max_element(counts.cbegin(), counts.cend());
        return most == counts.cend() ? QColor() : QColor::fromRgb(most.key());
    }

    QColor commonest(const QImage& image, const QRegion& area)
    {
        return commonest(colour_counts(image, area));
    }

    Reading read(const QString& name, const QImage& image, const QRegion& area, double needed)
    {
        const QHash<QRgb, int> counts = colour_counts(image, area);
        const QColor ground = commonest(counts);
        QColor text = ground;
        double ratio = 1;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
            const double r = contrast(QColor::fromRgb(it.key()), ground);
            if (r > ratio) {
                ratio = r;
                text = QColor::fromRgb(it.key());
            }
        }
        return { name, text, ground, ratio, needed, false };
    }

    // Where each kind of control draws its text, in its own coordinates.
    QRect text_area(const QWidget* widget)
    {
        QStyle* style = widget->style();
        if (const auto* option = qobject_cast<const QRadioButton*>(widget)) {
            QStyleOptionButton opt;
            opt.initFrom(option);
            opt.text = option->text();
            return style->subElementRect(QStyle::SE_RadioButtonContents, &opt, option);
        }
        if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) {
            QStyleOptionGroupBox opt;
            opt.initFrom(frame);
            opt.text = frame->title();
            opt.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
            opt.textAlignment = frame->alignment();
            return style->subControlRect(
                QStyle::CC_GroupBox, &opt, QStyle::SC_GroupBoxLabel, frame);
        }
        if (const auto* combo = qobject_cast<const QComboBox*>(widget))
            return combo->lineEdit()->geometry();
        // Inside the bevel of a button and the border of the answer box.
        if (qobject_cast<const QPushButton*>(widget))
            return widget->rect().adjusted(4, 4, -4, -4);
        if (qobject_cast<const QLineEdit*>(widget))
            return widget->rect().adjusted(2, 2, -2, -2);
        return widget->rect();
    }

    // Part of a control may lie under a sibling drawn over it (the suns reach
    // into the notice's box): only what shows of the control itself counts.
    QRegion uncovered(const QWidget& window, const QWidget* widget, const QRect& area)
    {
        QRegion region(area);
        const QObjectList& siblings = widget->parentWidget()->children();
        for (qsizetype i = siblings.indexOf(widget) + 1; i < siblings.size(); ++i) {
            const auto* above = qobject_cast<const QWidget*>(siblings[i]);
            if (above != nullptr && above->isVisible() && !above->isWindow())
                region -= QRect(above->mapTo(&window, QPoint(0, 0)), above->size());
        }
        return region;
    }

    QString shown_text(const QWidget* widget)
    {
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            return label->text();
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            return button->text();
        if (const auto* frame = qobject_cast<const QGroupBox*>(widget))
            return frame->title();
        if (const auto* combo = qobject_cast<const QComboBox*>(widget))
            return combo->currentText();
        if (const auto* box = qobject_cast<const QLineEdit*>(widget))
            return box->text();
        return {};
    }

    double median(std::vector<double> values)
    {
        if (values.empty())
            return 1;
        const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
        std::ranges::nth_element(values, middle);
        return *middle;
    }

    double stand_out(const QImage& image, QPoint at, const QColor& ground)
    {
        if (!image.rect().contains(at))
            return 1;
        return contrast(QColor::fromRgb(image.pixel(at)), ground);
    }

    // An outline along a rectangle's edge, two pixels deep from `inset`: how
    // far it stands out from `ground` all the way round (the median of the
    // best of each pair of pixels across the band), corners left out.
    double edge_contrast(const QImage& image, const QRect& rect, int inset, const QColor& ground)
    {
        const QRect r = rect.adjusted(inset, inset, -inset, -inset);
        std::vector<double> along;
        const auto across = [&](QPoint outer, QPoint step) {
            along.push_back(
                std::max(stand_out(image, outer, ground), stand_out(image, outer + step, ground)));
        };
        for (int x = r.left() + 3; x <= r.right() - 3; ++x) {
            across({ x, r.top() }, { 0, 1 });
            across({ x, r.bottom() }, { 0, -1 });
        }
        for (int y = r.top() + 3; y <= r.bottom() - 3; ++y) {
            across({ r.left(), y }, { 1, 0 });
            across({ r.right(), y }, { -1, 0 });
        }
        return median(along);
    }

    // The same round a circle, from its edge inwards.
    double ring_contrast(const QImage& image, const QRectF& circle, const QColor& ground)
    {
        std::vector<double> along;
        const double radius = std::min(circle.width(), circle.height()) / 2;
        for (int degrees = 0; degrees < 360; degrees += 10) {
            const double a = degrees * std::numbers::pi / 180;
            double best = 1;
            for (const double r : { radius - 0.5, radius - 1.5 }) {
                const QPointF at = circle.center() + QPointF(r * std::cos(a), r * std::sin(a));
                best = std::max(best, stand_out(image, at.toPoint(), ground));
            }
            along.push_back(best);
        }
        return median(along);
    }

    // What lies just outside a rectangle.
    QRegion around(const QRect& rect)
    {
        return QRegion(rect.adjusted(-3, -3, 3, 3)) - QRegion(rect.adjusted(-1, -1, 1, 1));
    }

} // namespace

std::vector<Reading> read_outlines(const QWidget& window, const QImage& image)
{
    std::vector<Reading> readings;
    const auto add = [&](const QWidget* widget, const QString& part, double ratio,
                         const QColor& outline, const QColor& ground) {
        readings.push_back({ widget->objectName() + u' ' + part, outline, ground, ratio, 3.0,
            !widget->isEnabled() });
    };
    // An edge `inset` pixels into the box, against `ground`.
    const auto edge = [&](const QWidget* widget, const QString& part, const QRect& box, int inset,
                          const QColor& ground) {
        add(widget, part, edge_contrast(image, box, inset, ground), {}, ground);
    };
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->objectName().isEmpty() || !widget->isVisible())
            continue;
        const QRect box(widget->mapTo(&window, QPoint(0, 0)), widget->size());
        if (const auto* option = qobject_cast<const QRadioButton*>(widget)) {
            QStyleOptionButton opt;
            opt.initFrom(option);
            const QRect indicator
                = option->style()
                      ->subElementRect(QStyle::SE_RadioButtonIndicator, &opt, option)
                      .translated(box.topLeft());
            const QColor ground = commonest(image, around(indicator));
            add(widget, u"ring"_s, ring_contrast(image, indicator, ground), {}, ground);
            if (option->isChecked()) {
                // The dot against the inside of the ring, between the two.
                const QColor dot = QColor::fromRgb(image.pixel(indicator.center()));
                const QColor between = QColor::fromRgb(
                    image.pixel(indicator.center() + QPoint(indicator.width() / 3, 0)));
                add(widget, u"dot"_s, contrast(dot, between), dot, between);
            }
        } else if (qobject_cast<const QComboBox*>(widget) != nullptr) {
            edge(widget, u"frame"_s, box, 0, commonest(image, around(box)));
        } else if (qobject_cast<const QLineEdit*>(widget) != nullptr
            && qobject_cast<const QComboBox*>(widget->parentWidget()) == nullptr) {
            edge(widget, u"border"_s, box, 0, commonest(image, around(box)));
        } else if (const auto* button = qobject_cast<const QPushButton*>(widget)) {
            edge(widget, u"edge"_s, box, 0, commonest(image, around(box)));
            // The default button's mark: its edge again, one pixel further
            // in, against the button's own face.
            if (button->isDefault())
                edge(widget, u"mark"_s, box, 1, commonest(image, box.adjusted(5, 5, -5, -5)));
        }
    }
    return readings;
}

std::vector<Reading> read_contrasts(const QWidget& window, const QImage& image)
{
    std::vector<Reading> readings;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        const QString name = widget->objectName();
        if (name.isEmpty() || name.startsWith(u"qt_") || !widget->isVisible())
            continue;
        const QPoint origin = widget->mapTo(&window, QPoint(0, 0));
        if (name == u"Line1") {
            // The rule against the ground just above and below it.
            const QRect around = widget->rect().adjusted(0, -3, 0, 3).translated(origin);
            readings.push_back(read(name, image, around, 3.0));
            continue;
        }
        if (shown_text(widget).isEmpty())
            continue;
        const bool large = widget->font().pointSizeF() >= 18;
        const QRegion area = uncovered(window, widget, text_area(widget).translated(origin));
        Reading reading = read(name, image, area, large ? 3.0 : 4.5);
        reading.disabled = !widget->isEnabled();
        readings.push_back(reading);
    }
    return readings;
}

} // namespace skorvex::testing_support
