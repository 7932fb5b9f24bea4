// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/control_table.h"
#include "controls/units.h"
#include "controls/widgets.h"
#include "window_fixture.h"

#include <QApplication>
#include <QFontInfo>
#include <QtTest/QTest>
#include <map>

namespace {

using namespace skorvex::controls;
using skorvex::testing_support::WindowTest;
using namespace Qt::StringLiterals;

const char* class_of(Kind kind)
{
    switch (kind) {
    case Kind::Label:
    case Kind::Image:
        return "QLabel";
    case Kind::TextBox:
        return "QLineEdit";
    case Kind::ComboBox:
        return "QComboBox";
    case Kind::OptionButton:
        return "QRadioButton";
    case Kind::CommandButton:
        return "QPushButton";
    case Kind::Frame:
        return "QGroupBox";
    case Kind::Line:
        return "QWidget";
    case Kind::Timer:
        return "QTimer";
    }
    return "";
}

TEST(Units, FifteenTwipsMakeOnePixel)
{
    EXPECT_EQ(twips_to_pixels(0), 0);
    EXPECT_EQ(twips_to_pixels(15), 1);
    EXPECT_EQ(twips_to_pixels(240), 16);
    EXPECT_EQ(twips_to_pixels(6648), 443); // 443.2
    EXPECT_EQ(twips_to_pixels(5244), 350); // 349.6
    EXPECT_EQ(twips_to_pixels(852), 57); // 56.8
    EXPECT_EQ(twips_to_pixels(7), 0);
    EXPECT_EQ(twips_to_pixels(8), 1);
}

class ControlsAtStart : public WindowTest {};

TEST_F(ControlsAtStart, EveryRowBecomesItsControl)
{
    std::map<QString, QObject*> children;
    for (QObject* child : window->findChildren<QObject*>())
        if (!child->objectName().isEmpty() && !child->inherits("QStyle"))
            children[child->objectName()] = child;

    for (const ControlRow& row : control_rows) {
        SCOPED_TRACE(row.name.toString().toStdString());
        ASSERT_EQ(children.count(row.name.toString()), 1U);
        QObject* object = children[row.name.toString()];
        EXPECT_TRUE(object->inherits(class_of(row.kind)));
        if (row.kind == Kind::Timer || row.kind == Kind::Line)
            continue;
        auto* widget = qobject_cast<QWidget*>(object);
        const QString container = row.container.empty() ? u"skorvex"_s : row.container.toString();
        EXPECT_EQ(widget->parentWidget()->objectName(), container);
        EXPECT_EQ(widget->pos(), QPoint(twips_to_pixels(row.left), twips_to_pixels(row.top)));
        if (row.kind != Kind::Image) {
            EXPECT_EQ(
                widget->size(), QSize(twips_to_pixels(row.width), twips_to_pixels(row.height)));
        }
        EXPECT_EQ(widget->isVisibleTo(window.get()), row.start != Start::hidden);
        EXPECT_EQ(widget->isEnabled(), row.start != Start::disabled);
        if (auto* label = qobject_cast<QLabel*>(widget); label && row.kind == Kind::Label) {
            EXPECT_EQ(label->text(), row.caption.toString());
        }
        if (auto* combo = qobject_cast<QComboBox*>(widget)) {
            EXPECT_EQ(combo->currentText(), row.caption.toString());
            ASSERT_EQ(combo->count(), static_cast<int>(row.items.size()));
            for (int i = 0; i < combo->count(); ++i)
                EXPECT_EQ(combo->itemText(i), row.items[static_cast<std::size_t>(i)].toString());
        }
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            EXPECT_EQ(button->text(), row.caption.toString());
        }
        if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
            EXPECT_EQ(frame->title(), row.caption.toString());
        }
    }
    // Nothing else has a name but Qt's own parts of the combo boxes' lists.
    std::erase_if(children, [](const auto& named) { return named.first.startsWith(u"qt_"_s); });
    EXPECT_EQ(children.size(), control_rows.size());
}

TEST_F(ControlsAtStart, ShowTheInitialValues)
{
    EXPECT_EQ(window->objectName(), u"skorvex"_s);
    EXPECT_EQ(window->windowTitle(), u"Skorvex!"_s);
    EXPECT_EQ(window->size(), QSize(443, 350));
    for (QLabel* label : { c().topnum, c().botnum, c().cor, c().incor, c().timeleft, c().anst })
        EXPECT_EQ(label->text(), u"0"_s) << label->objectName().toStdString();
    EXPECT_EQ(c().oper->text(), u"+"_s);
    EXPECT_TRUE(c().ans->text().isEmpty());
    EXPECT_FALSE(c().ans->isEnabled());
    EXPECT_FALSE(c().do_math->isEnabled());
    EXPECT_FALSE(c().Timer1->isActive());
    EXPECT_EQ(c().Timer1->interval(), 1000);
    EXPECT_EQ(c().typeprob->currentText(), u"Random"_s);
    EXPECT_EQ(c().timetot->currentText(), u"1 minute"_s);
    EXPECT_EQ(c().Level->currentText(), u"1"_s);
    EXPECT_EQ(c().tnum->currentText(), u"1"_s);
    EXPECT_TRUE(c().add->isChecked());
    EXPECT_FALSE(c().subt->isChecked() || c().mult->isChecked() || c().div->isChecked());
    EXPECT_FALSE(c().sunhap->isVisible());
    EXPECT_FALSE(c().sunsad->isVisible());
    EXPECT_FALSE(c().nodiv->isVisible());
    EXPECT_FALSE(c().Label1->isEnabled());
    EXPECT_TRUE(c().begin->isEnabled());
}

TEST_F(ControlsAtStart, StandWhereTheLayoutPutsThem)
{
    // Every box in window pixels at 96 DPI, worked out by hand from its twips
    // (15 to the pixel), not from the table the window is built from. Inside
    // the frame a box counts from the frame's corner: `add` at (120, 360)
    // stands at (240, 840) in the window.
    const std::map<QString, QRect> boxes {
        { u"exit"_s, { 96, 320, 57, 17 } },
        { u"cmb_tstr"_s, { 400, 56, 41, 19 } },
        { u"timetot"_s, { 16, 216, 97, 19 } },
        { u"do_math"_s, { 392, 208, 41, 33 } },
        { u"typeprob"_s, { 16, 160, 97, 19 } },
        { u"begin"_s, { 8, 288, 81, 49 } },
        { u"ans"_s, { 248, 200, 129, 65 } },
        { u"sel"_s, { 8, 32, 113, 241 } },
        { u"tnum"_s, { 80, 184, 33, 19 } },
        { u"Level"_s, { 80, 240, 33, 19 } },
        { u"div"_s, { 16, 104, 97, 17 } },
        { u"mult"_s, { 16, 88, 97, 17 } },
        { u"subt"_s, { 16, 72, 97, 17 } },
        { u"add"_s, { 16, 56, 97, 17 } },
        { u"Label1"_s, { 16, 184, 49, 25 } },
        { u"lvl"_s, { 16, 240, 49, 25 } },
        { u"options"_s, { 16, 136, 89, 17 } },
        { u"nodiv"_s, { 208, 8, 153, 33 } },
        // The suns are larger than their box and show whole from its corner.
        { u"sunsad"_s, { 144, 24, 72, 72 } },
        { u"sunhap"_s, { 144, 24, 72, 72 } },
        { u"anst"_s, { 392, 32, 49, 17 } },
        { u"tt"_s, { 424, 8, 17, 17 } },
        { u"timeleft"_s, { 328, 280, 81, 57 } },
        { u"oper"_s, { 200, 128, 49, 49 } },
        { u"incor"_s, { 296, 312, 25, 17 } },
        { u"cor"_s, { 296, 288, 25, 17 } },
        { u"incorrect"_s, { 240, 312, 49, 17 } },
        { u"correct"_s, { 240, 288, 49, 17 } },
        { u"botnum"_s, { 248, 120, 129, 57 } },
        { u"topnum"_s, { 248, 56, 129, 57 } },
        // From (3720, 2880) to (5760, 2880), 3 pixels wide about the line.
        { u"Line1"_s, { 248, 191, 137, 3 } },
    };
    const auto box_of = [this](const QWidget* widget) {
        return QRect(widget->mapTo(window.get(), QPoint(0, 0)), widget->size());
    };
    for (const auto& [name, box] : boxes) {
        const auto* widget = window->findChild<QWidget*>(name);
        ASSERT_NE(widget, nullptr) << name.toStdString();
        EXPECT_EQ(box_of(widget), box) << name.toStdString();
    }
    EXPECT_EQ(boxes.size() + 1, control_rows.size()) << "every control but the timer";
    // The frame lies beneath the two boxes drawn over it, which take the clicks.
    for (QWidget* box : { static_cast<QWidget*>(c().typeprob), static_cast<QWidget*>(c().timetot) })
        EXPECT_TRUE(box->isAncestorOf(window->childAt(box->geometry().center())));

    window->resize(900, 700);
    window->showMaximized();
    EXPECT_EQ(box_of(c().topnum), boxes.at(u"topnum"_s));
    EXPECT_EQ(box_of(c().add), boxes.at(u"add"_s));
}

TEST_F(ControlsAtStart, UseTheirFontsAndColours)
{
    for (QWidget* big : { static_cast<QWidget*>(c().topnum), static_cast<QWidget*>(c().botnum),
             static_cast<QWidget*>(c().ans), static_cast<QWidget*>(c().timeleft) }) {
        EXPECT_EQ(big->font().pointSize(), 36) << big->objectName().toStdString();
        EXPECT_EQ(big->font().weight(), QFont::Bold);
    }
    EXPECT_EQ(c().oper->font().pointSize(), 36);
    EXPECT_EQ(c().oper->font().weight(), QFont::Normal);
    EXPECT_DOUBLE_EQ(c().begin->font().pointSizeF(), 13.8);
    EXPECT_FALSE(c().begin->font().bold());
    EXPECT_EQ(
        c().timeleft->palette().color(QPalette::Active, QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(c().topnum->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(c().ans->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(c().correct->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    // Label1 keeps its greyed text colour.
    EXPECT_NE(c().Label1->palette().color(QPalette::Disabled, QPalette::WindowText),
        c().Label1->palette().color(QPalette::Active, QPalette::WindowText));
}

// Every font is upright, plain and regular but for the bold of the large
// digits, in the face it names ("Arial", "MS Sans Serif") where that is
// installed, else in Liberation Sans, which has Arial's widths: the captions
// then fit their boxes. The suite installs only Liberation Sans.
TEST_F(ControlsAtStart, DrawInRegularFacesWithTheWidthsOfArial)
{
    QList<QWidget*> drawn = window->findChildren<QWidget*>();
    drawn.push_back(window.get());
    for (const QWidget* widget : drawn) {
        SCOPED_TRACE(widget->objectName().toStdString());
        const QFont& font = widget->font();
        EXPECT_FALSE(font.italic());
        EXPECT_FALSE(font.underline());
        EXPECT_FALSE(font.strikeOut());
        EXPECT_EQ(font.family(), u"Liberation Sans"_s);
        // A page's cut of the face carries a name of its own, put in its place.
        EXPECT_EQ(QFontInfo(font).family().toLower(), QFont::substitute(font.family()).toLower())
            << "the face is really used";
        const bool bold = widget == c().topnum || widget == c().botnum || widget == c().ans
            || widget == c().timeleft;
        EXPECT_EQ(font.weight(), bold ? QFont::Bold : QFont::Normal);
    }
}

TEST_F(ControlsAtStart, ComboBoxesHoldExactlyWhatIsTyped)
{
    type_into(c().timetot, u"abc"_s);
    EXPECT_EQ(c().timetot->currentText(), u"abc"_s);
    QTest::keyClick(c().timetot->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(c().timetot->currentText(), u"abc"_s);
    EXPECT_EQ(c().timetot->count(), 10);

    // No completion: typing "1" leaves "1", not "1 minute".
    type_into(c().timetot, u"1"_s);
    EXPECT_EQ(c().timetot->currentText(), u"1"_s);

    type_into(c().typeprob, u"Tables-ez"_s);
    EXPECT_EQ(c().typeprob->currentText(), u"Tables-ez"_s);

    // A disabled combo box cannot be changed, but its text still reads.
    c().Level->setEnabled(false);
    QTest::keyClicks(c().Level->lineEdit(), u"7"_s);
    EXPECT_EQ(c().Level->currentText(), u"1"_s);
}

TEST_F(ControlsAtStart, ExactlyOneOptionIsSelected)
{
    QTest::mouseClick(c().div, Qt::LeftButton);
    EXPECT_TRUE(c().div->isChecked());
    EXPECT_FALSE(c().add->isChecked());
    c().mult->click();
    EXPECT_EQ(int(c().add->isChecked()) + int(c().subt->isChecked()) + int(c().mult->isChecked())
            + int(c().div->isChecked()),
        1);
}

TEST_F(ControlsAtStart, DisabledAnswerBoxTakesNoTypingOrFocus)
{
    QTest::keyClicks(c().ans, u"12"_s);
    EXPECT_TRUE(c().ans->text().isEmpty());
    c().ans->setFocus();
    EXPECT_FALSE(c().ans->hasFocus());
}

TEST_F(ControlsAtStart, TabFollowsTheTabOrder)
{
    c().begin->setFocus();
    QStringList order;
    order << QApplication::focusWidget()->objectName();
    for (int i = 0; i < 7; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    // `ans` and "GO!" are disabled and `cmb_tstr` hidden: Tab passes over them.
    const QStringList expected { u"begin"_s, u"add"_s, u"typeprob"_s, u"timetot"_s, u"Level"_s,
        u"tnum"_s, u"exit"_s, u"begin"_s };
    EXPECT_EQ(order, expected);

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), u"exit"_s);

    // The option group is entered at its selected button.
    c().subt->click();
    c().begin->setFocus();
    QTest::keyClick(c().begin, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), u"subt"_s);

    // During a run the answer box and "GO!" come first.
    c().begin->click();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), u"do_math"_s);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), u"subt"_s);
}

} // namespace
