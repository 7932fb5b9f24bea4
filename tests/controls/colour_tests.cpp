// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "contrast.h"
#include "controls/colours.h"
#include "controls/outline_style.h"
#include "window_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QPalette>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOption>
#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <tuple>
#include <vector>

namespace {

using namespace skorvex::testing_support;
using skorvex::controls::contrast;
using namespace Qt::StringLiterals;

// A desktop colour scheme as Qt hands it to the program.
QPalette scheme(QColor window, QColor text, QColor base, QColor button, QColor disabled_text)
{
    QPalette palette(text, button, button.lighter(130), button.darker(130), button.darker(115),
        text, Qt::white, base, window);
    palette.setColor(QPalette::Highlight, QColor(61, 174, 233));
    palette.setColor(QPalette::HighlightedText, text);
    for (const auto role : { QPalette::WindowText, QPalette::Text, QPalette::ButtonText })
        palette.setColor(QPalette::Disabled, role, disabled_text);
    return palette;
}

// A scheme whose text on the window's own ground is light while its fields are
// light with dark text, and whose roles each have their own disabled colour:
// only text in the Text role, disabled or not, reads well on Base.
QPalette split_scheme()
{
    QPalette palette = scheme(
        QColor(35, 38, 41), Qt::black, Qt::white, QColor(49, 54, 59), QColor(110, 110, 110));
    palette.setColor(QPalette::WindowText, QColor(239, 240, 241));
    palette.setColor(QPalette::ButtonText, QColor(239, 240, 241));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(205, 205, 205));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(190, 190, 190));
    return palette;
}

// Whether `seen` is `ink` laid over `ground` at a coverage of at least half:
// the same share in every channel, as a face's smoothed strokes draw it,
// whatever their shapes.
bool drawn_in(const QColor& seen, const QColor& ink, const QColor& ground)
{
    std::vector<double> cover;
    for (const auto& [s, i, g] : { std::tuple(seen.red(), ink.red(), ground.red()),
             std::tuple(seen.green(), ink.green(), ground.green()),
             std::tuple(seen.blue(), ink.blue(), ground.blue()) }) {
        if (i == g) {
            if (std::abs(s - g) > 2)
                return false;
            continue;
        }
        cover.push_back(static_cast<double>(s - g) / (i - g));
    }
    if (cover.empty())
        return true;
    const auto [least, most] = std::ranges::minmax(cover);
    return least >= 0.5 && most <= 1.01 && most - least < 0.05;
}

struct Scheme {
    const char* name;
    QPalette palette;
};

class Colours : public WindowTest {
protected:
    void SetUp() override
    {
        light_ = QApplication::palette();
        WindowTest::SetUp();
    }
    void TearDown() override
    {
        WindowTest::TearDown();
        QApplication::setPalette(light_);
    }

    std::vector<Scheme> schemes() const
    {
        return {
            { "light", light_ },
            { "dark",
                scheme(QColor(42, 46, 50), QColor(252, 252, 252), QColor(27, 30, 32),
                    QColor(49, 54, 59), QColor(98, 108, 118)) },
            { "high contrast", scheme(Qt::black, Qt::white, Qt::black, Qt::black, Qt::yellow) },
            // A ground on which pure red is hard to read.
            { "grey",
                scheme(QColor(128, 128, 128), Qt::black, QColor(128, 128, 128),
                    QColor(160, 160, 160), QColor(64, 64, 64)) },
            // A mid-dark ground: red must lighten to be read.
            { "mid-dark",
                scheme(QColor(70, 70, 70), Qt::white, QColor(70, 70, 70), QColor(45, 45, 45),
                    QColor(160, 160, 160)) },
            { "split", split_scheme() },
        };
    }

    QImage grab() { return window->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    void expect_legible(const QPalette& palette)
    {
        const std::vector<Reading> readings = read_contrasts(*window, grab());
        for (const Reading& reading : readings) {
            SCOPED_TRACE(reading.control.toStdString() + " text "
                + reading.text.name().toStdString() + " on " + reading.ground.name().toStdString());
            if (reading.disabled)
                continue;
            EXPECT_GE(reading.ratio, reading.needed);
        }
        // The greyed label uses the scheme's own disabled text colour.
        const auto label = std::ranges::find(readings, u"Label1"_s, &Reading::control);
        ASSERT_NE(label, readings.end());
        EXPECT_LT(contrast(label->text, palette.color(QPalette::Disabled, QPalette::Text)), 1.1);
    }

    QPalette light_;
};

// Under Qt's light default the window looks as it always has, whatever fonts
// draw it: white grounds, black captions and values, seconds in pure red, the
// greyed label in the disabled colour, the settings whole over the frame, and
// "GO!" marked as the window's default button.
TEST_F(Colours, LightSchemeDrawsAsItAlwaysHas)
{
    const auto expect_light = [this](const char* when) {
        SCOPED_TRACE(when);
        const QImage shot = grab();
        EXPECT_EQ(QColor(shot.pixel(2, 2)), QColor(Qt::white)) << "the window's ground";
        for (const Reading& reading : read_contrasts(*window, shot)) {
            // Buttons and combo boxes keep the style's own look.
            const QWidget* control = window->findChild<QWidget*>(reading.control);
            const bool styled = qobject_cast<const QComboBox*>(control) != nullptr
                || (qobject_cast<const QAbstractButton*>(control) != nullptr
                    && qobject_cast<const QRadioButton*>(control) == nullptr);
            if (styled)
                continue;
            SCOPED_TRACE(reading.control.toStdString());
            QColor text = Qt::black;
            if (reading.control == u"timeleft"_s)
                text = Qt::red;
            else if (reading.disabled)
                text = light_.color(QPalette::Disabled, QPalette::Text);
            EXPECT_EQ(reading.ground, QColor(Qt::white));
            EXPECT_TRUE(drawn_in(reading.text, text, reading.ground))
                << reading.text.name().toStdString();
        }
        // The settings that stand inside the frame's box are drawn over it.
        for (QWidget* setting : std::initializer_list<QWidget*> { c().typeprob, c().timetot }) {
            const QRect box(setting->mapTo(window.get(), QPoint(0, 0)), setting->size());
            const QRect inside = box.adjusted(3, 3, -3, -3);
            EXPECT_EQ(shot.copy(inside),
                setting->grab()
                    .toImage()
                    .convertToFormat(QImage::Format_RGB32)
                    .copy(inside.translated(-box.topLeft())))
                << setting->objectName().toStdString() << " hidden by the frame";
        }
    };
    expect_light("idle");
    show_every_caption();
    expect_light("in a run");

    // An ordinary button of the same size and caption, drawn beside it.
    QPushButton plain(c().do_math->text(), window.get());
    plain.setGeometry(c().do_math->geometry());
    plain.setAutoDefault(true);
    plain.show();
    c().ans->setFocus();
    EXPECT_NE(plain.grab().toImage(), c().do_math->grab().toImage())
        << "GO! is drawn as an ordinary button";
}

TEST_F(Colours, EveryCaptionAndValueIsLegibleInEachScheme)
{
    for (const Scheme& s : schemes()) {
        SCOPED_TRACE(s.name);
        QApplication::setPalette(s.palette);
        build_window();
        expect_legible(s.palette);
        show_every_caption();
        expect_legible(s.palette);
    }
}

// A desktop style that leaves to the drill what some do leave: it draws a
// chosen option button without its dot, and lets a combo box's edit field, a
// widget of its own, reach the box's edge, where it would cover the frame.
class FaintDesktopStyle : public QProxyStyle {
public:
    FaintDesktopStyle()
        : QProxyStyle(u"Fusion"_s)
    {
    }
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
        const QWidget* widget) const override
    {
        if (element != PE_IndicatorRadioButton)
            return QProxyStyle::drawPrimitive(element, option, painter, widget);
        QStyleOptionButton undotted = *qstyleoption_cast<const QStyleOptionButton*>(option);
        undotted.state &= ~State_On;
        QProxyStyle::drawPrimitive(element, &undotted, painter, widget);
    }
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
        const QWidget* widget) const override
    {
        if (control == CC_ComboBox && part == SC_ComboBoxEditField)
            return option->rect;
        return QProxyStyle::subControlRect(control, option, part, widget);
    }
};

// Every outline and state stands out from what lies beside it by 3:1, at rest
// and in a run, under the light scheme and a dark one: each option button's
// ring and the chosen one's dot, each combo box's frame with its edit field
// inside it, each button's edge with GO!'s twice as thick, and the answer
// box's border. Two option buttons and two combo boxes are drawn over a
// desktop style that leaves the dot and the frame to the drill.
TEST_F(Colours, EveryOutlineAndStateStandsOut)
{
    for (const Scheme& s : { schemes()[0], schemes()[1] }) {
        SCOPED_TRACE(s.name);
        QApplication::setPalette(s.palette);
        build_window();
        skorvex::controls::OutlineStyle over_faint(new FaintDesktopStyle);
        for (QWidget* control :
            std::initializer_list<QWidget*> { c().add, c().div, c().typeprob, c().tnum })
            control->setStyle(&over_faint);
        std::vector<Reading> readings = read_outlines(*window, grab());
        show_every_caption();
        std::ranges::copy(read_outlines(*window, grab()), std::back_inserter(readings));
        std::erase_if(readings, [](const Reading& reading) { return reading.disabled; });
        QStringList measured;
        for (const Reading& reading : readings) {
            measured += reading.control;
            EXPECT_GE(reading.ratio, reading.needed) << reading.control.toStdString();
        }
        for (const QString& outline : { u"add ring"_s, u"div ring"_s, u"add dot"_s, u"div dot"_s,
                 u"typeprob frame"_s, u"tnum frame"_s, u"begin edge"_s, u"do_math edge"_s,
                 u"do_math mark"_s, u"exit edge"_s, u"ans border"_s })
            EXPECT_TRUE(measured.contains(outline)) << outline.toStdString();
        window.reset();
    }
}

TEST_F(Colours, ASchemeChangedMidRunRepaintsAndDisturbsNothing)
{
    show_every_caption();
    const QImage before = grab();
    const QString problem = c().topnum->text() + c().oper->text() + c().botnum->text();

    const Scheme dark = schemes()[1];
    QApplication::setPalette(dark.palette);
    expect_legible(dark.palette);
    EXPECT_EQ(QColor(grab().pixel(2, 2)), dark.palette.color(QPalette::Base)) << "the ground";
    EXPECT_TRUE(c().Timer1->isActive());
    EXPECT_TRUE(c().ans->hasFocus());
    EXPECT_EQ(c().ans->text(), u"12"_s);
    EXPECT_EQ(c().incor->text(), u"1"_s);
    EXPECT_EQ(c().topnum->text() + c().oper->text() + c().botnum->text(), problem);

    QApplication::setPalette(light_);
    EXPECT_EQ(grab(), before);
}

} // namespace
