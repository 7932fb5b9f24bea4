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

namespace skorvex::testing_support {

using controls::contrast;

namespace {

    Reading read(const QString& name, const QImage& image, const QRegion& area, double needed)
    {
        QHash<QRgb, int> counts;
        for (const QRect& rect : area.intersected(image.rect()))
            for (int y = rect.top(); y <= rect.bottom(); ++y)
                for (int x = rect.left(); x <= rect.right(); ++x)
                    ++counts[image.pixel(x, y) | 0xff000000];
        QRgb ground = 0;
        int most = -1;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            if (it.value() > most) {
                most = it.value();
                ground = it.key();
            }
        QColor text = QColor::fromRgb(ground);
        double ratio = 1;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
            const double r = contrast(QColor::fromRgb(it.key()), QColor::fromRgb(ground));
            if (r > ratio) {
                ratio = r;
                text = QColor::fromRgb(it.key());
            }
        }
        return { name, text, QColor::fromRgb(ground), ratio, needed, false };
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

} // namespace

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
