// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A page has no fonts but the ones the program brings, cut to what it draws:
// every character the window draws must be in the face it asks for, and
// text typed in the scripts a learner may write must draw in the report.

#include "window_fixture.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRawFont>

namespace {

using skorvex::testing_support::WindowTest;
using namespace Qt::StringLiterals;

QStringList drawn_texts(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return { label->text() };
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return { button->text() };
    if (const auto* frame = qobject_cast<const QGroupBox*>(widget))
        return { frame->title() };
    if (const auto* box = qobject_cast<const QLineEdit*>(widget))
        return { box->text() };
    QStringList texts;
    if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
        for (int item = 0; item < combo->count(); ++item)
            texts << combo->itemText(item);
    }
    return texts;
}

// Each character in the face the widget's font resolves to first, without
// the fallback a missing one would be drawn in.
void expect_drawn_in(const QWidget* top, const QString& family, const char* when)
{
    for (const QWidget* widget : top->findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(top))
            continue;
        const QRawFont face = QRawFont::fromFont(widget->font());
        for (const QString& text : drawn_texts(widget)) {
            if (text.isEmpty())
                continue;
            EXPECT_EQ(QFontInfo(widget->font()).family(), family)
                << widget->objectName().toStdString() << ", " << when;
            for (char32_t character : text.toUcs4())
                // Isolates and other format characters are never drawn.
                EXPECT_TRUE(QChar::category(character) == QChar::Other_Format
                    || face.supportsCharacter(character))
                    << "U+" << std::hex << static_cast<unsigned>(character) << " of "
                    << text.toStdString() << " in " << widget->objectName().toStdString() << ", "
                    << when;
        }
    }
}

TEST_F(WindowTest, EveryCharacterTheWindowDrawsIsInThePagesFaces)
{
    expect_drawn_in(window.get(), u"Skorvex Sans"_s, "at start");
    for (QAbstractButton* operation : { c().add, c().subt, c().mult, c().div }) {
        operation->click();
        c().begin->click();
        answer(u"-1"_s);
        tick();
        expect_drawn_in(window.get(), u"Skorvex Sans"_s, "in a run");
        while (c().Timer1->isActive())
            tick();
    }
    c().typeprob->setCurrentIndex(1);
    c().begin->click();
    expect_drawn_in(window.get(), u"Skorvex Sans"_s, "with the Division notice");
}

TEST_F(WindowTest, TextTypedInEveryScriptTheFallbackCoversDrawsInTheReport)
{
    const QString typed = u"Ünïcødé Ελληνικά Кириллица עברית العربية"_s;
    type_into(c().Level, typed);
    c().begin->click();
    QMessageBox* box = window->error_report().box();
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(box->informativeText().contains(typed));
    expect_drawn_in(box, u"DejaVu Sans"_s, "in the error report");
}

} // namespace
