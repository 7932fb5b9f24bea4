// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/accessibility.h"
#include "controls/control_table.h"
#include "window_fixture.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QTextLayout>
#include <QtGui/private/qguiapplication_p.h>
#include <QtTest/QTest>
#include <algorithm>
#include <iterator>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <utility>
#include <vector>

namespace {

using namespace skorvex::controls;
using skorvex::testing_support::WindowTest;
using namespace Qt::StringLiterals;

QAccessible::Role role_of(Kind kind)
{
    switch (kind) {
    case Kind::Label:
        return QAccessible::StaticText;
    case Kind::TextBox:
        return QAccessible::EditableText;
    case Kind::ComboBox:
        return QAccessible::ComboBox;
    case Kind::OptionButton:
        return QAccessible::RadioButton;
    case Kind::CommandButton:
        return QAccessible::Button;
    case Kind::Frame:
        return QAccessible::Grouping;
    case Kind::Image:
        return QAccessible::Graphic;
    case Kind::Line:
    case Kind::Timer:
        break;
    }
    return QAccessible::NoRole;
}

QPlatformAccessibility* platform_accessibility()
{
    QPlatformAccessibility* bridge = QGuiApplicationPrivate::platformIntegration()->accessibility();
    EXPECT_NE(bridge, nullptr);
    return bridge;
}

// What a screen reader reads as a notification is shown, and what a braille
// display gets of it: the text of the labels under it, less any that the
// notification's own name already holds.
std::vector<QString> heard;

void listen(QAccessibleEvent* event)
{
    QAccessibleInterface* iface = event->accessibleInterface();
    if (event->type() != QAccessible::ObjectShow || iface == nullptr
        || iface->role() != QAccessible::Notification)
        return;
    QString labels;
    for (int i = 0; i < iface->childCount(); ++i) {
        const QString text = iface->child(i)->text(QAccessible::Name);
        if (iface->child(i)->role() == QAccessible::StaticText
            && !iface->text(QAccessible::Name).contains(text))
            labels += text;
    }
    heard.push_back(u"notification: "_s + labels);
}

class ScreenReader : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        heard.clear();
        // As when a screen reader is listening: only then are events sent.
        platform_accessibility()->setActive(true);
        QAccessible::installUpdateHandler(listen);
    }
    void TearDown() override
    {
        QAccessible::installUpdateHandler(nullptr);
        platform_accessibility()->setActive(false);
        WindowTest::TearDown();
    }
    static QAccessibleInterface* of(QObject* object)
    {
        return QAccessible::queryAccessibleInterface(object);
    }
    static QString name(QObject* object) { return of(object)->text(QAccessible::Name); }
    static QString description(QObject* object)
    {
        return of(object)->text(QAccessible::Description);
    }
    static const std::vector<QString>& spoken() { return heard; }
};

TEST_F(ScreenReader, EveryVisibleControlHasItsRoleAndName)
{
    for (const ControlRow& row : control_rows) {
        auto* widget = window->findChild<QWidget*>(row.name.toString());
        if (widget == nullptr || widget->isHidden() || row.kind == Kind::Line)
            continue;
        SCOPED_TRACE(row.name.toString().toStdString());
        QAccessibleInterface* iface = of(widget);
        ASSERT_NE(iface, nullptr);
        EXPECT_EQ(iface->role(), role_of(row.kind));
        EXPECT_FALSE(iface->state().invisible);
        // A combo box's text is its value. Qt gives it as the name too on
        // Linux, where Windows takes the name from the label beside it.
        const auto text = row.kind == Kind::ComboBox ? QAccessible::Value : QAccessible::Name;
        if (row.kind != Kind::TextBox) {
            EXPECT_EQ(iface->text(text), row.caption.toString());
        }
    }
    EXPECT_EQ(name(window.get()), u"Skorvex!"_s);
    EXPECT_EQ(name(c().ans), u"Your answer"_s);
    EXPECT_TRUE(of(c().ans)->state().disabled);
    EXPECT_TRUE(of(c().do_math)->state().disabled);
    EXPECT_TRUE(of(c().do_math)->state().defaultButton) << "GO! is the window's keyboard button";
    EXPECT_TRUE(of(c().add)->state().checked);
    EXPECT_TRUE(of(c().begin)->state().focusable);
    EXPECT_TRUE(of(c().anst)->state().invisible);
}

// Each control that takes the focus, the edit fields of the combo boxes
// included, is named as Orca reads it on Linux, by a name given to it or by
// its own caption or label, never by a platform's own fallback.
TEST_F(ScreenReader, EveryControlThatTakesTheFocusHasItsName)
{
    const std::pair<QWidget*, QString> named[] = {
        { c().begin, u"Begin!"_s },
        { c().ans, u"Your answer"_s },
        { c().do_math, u"GO!"_s },
        { c().add, u"Addition"_s },
        { c().subt, u"Subtraction"_s },
        { c().mult, u"Multiplication"_s },
        { c().div, u"Division"_s },
        { c().typeprob, u"Problem type"_s },
        { c().typeprob->lineEdit(), u"Problem type"_s },
        { c().timetot, u"Time limit"_s },
        { c().timetot->lineEdit(), u"Time limit"_s },
        { c().Level, u"Difficulty Level"_s },
        { c().Level->lineEdit(), u"Difficulty Level"_s },
        { c().tnum, u"Table Start #"_s },
        { c().tnum->lineEdit(), u"Table Start #"_s },
        { c().exit, u"exit"_s },
    };
    int focusable = 0;
    for (QWidget* widget : window->findChildren<QWidget*>())
        focusable += widget->focusPolicy() != Qt::NoFocus && widget->isVisibleTo(window.get());
    EXPECT_EQ(focusable, static_cast<int>(std::size(named)));
    for (const auto& [widget, name] : named) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_NE(widget->focusPolicy(), Qt::NoFocus);
        EXPECT_EQ(skorvex::app::accessible_name(widget), name);
        if (qobject_cast<QComboBox*>(widget) || qobject_cast<QComboBox*>(widget->parent())) {
            EXPECT_EQ(widget->accessibleName(), name) << "named by Qt's platform rules";
        }
    }
}

TEST_F(ScreenReader, ValuesKeepTheirLiveNameAndSayWhatTheyAre)
{
    const std::pair<QWidget*, QString> described[] = {
        { c().topnum, u"Top number"_s },
        { c().botnum, u"Bottom number"_s },
        { c().oper, u"Operation"_s },
        { c().cor, u"Correct answers"_s },
        { c().incor, u"Incorrect answers"_s },
        { c().timeleft, u"Seconds left"_s },
        { c().typeprob, u"Problem type"_s },
        { c().timetot, u"Time limit"_s },
        { c().Level, u"Difficulty level"_s },
        { c().tnum, u"Starting table"_s },
    };
    for (const auto& [widget, what] : described)
        EXPECT_EQ(description(widget), what) << widget->objectName().toStdString();

    c().begin->click();
    tick();
    EXPECT_EQ(name(c().timeleft), u"59"_s);
    EXPECT_EQ(name(c().topnum), u"6"_s);
    type_into(c().ans, u"12"_s);
    QTest::keyClick(c().ans, Qt::Key_Return);
    EXPECT_EQ(name(c().cor), u"1"_s);
    EXPECT_EQ(name(c().sunhap), u"Right!"_s);
    EXPECT_EQ(of(c().sunhap)->role(), QAccessible::Graphic);
    EXPECT_EQ(name(c().sunsad), u"Wrong"_s);
}

TEST_F(ScreenReader, HearsEachVerdictWithTheNextProblemAndAHintForNoNumber)
{
    c().begin->click();
    EXPECT_EQ(name(c().ans), u"6 plus 6, your answer"_s) << "read as Begin! moves the focus there";
    answer(u"12"_s); // 6 + 6 is right; 4 + 4 comes next
    EXPECT_EQ(name(c().ans), u"4 plus 4, your answer"_s) << "read on coming back to the box";
    c().mult->click();
    answer(u"7"_s); // wrong; the next problem is made with times
    answer(u"x"_s);
    ASSERT_EQ(spoken().size(), 3U);
    EXPECT_EQ(spoken()[0], u"notification: Right! Next problem: 4 plus 4."_s);
    EXPECT_TRUE(spoken()[1].startsWith(u"notification: Wrong. Next problem: "_s));
    EXPECT_TRUE(spoken()[1].contains(u" times "_s));
    EXPECT_EQ(spoken()[2], u"notification: Type a number."_s);
    EXPECT_EQ(c().incor->text(), u"1"_s) << "the hint counts nothing";

    // A problem type the generators do not know keeps the same problem, and
    // the same verdict is heard again.
    while (c().Timer1->isActive())
        tick();
    heard.clear();
    type_into(c().typeprob, u"none"_s);
    c().begin->click();
    answer(c().anst->text());
    answer(c().anst->text());
    ASSERT_EQ(spoken().size(), 2U);
    EXPECT_EQ(spoken()[0], spoken()[1]);
}

// Each sentence the voice says is also handed to the platform's own
// announcement, in the same order and once: an answer's verdict, the hint and
// the Division notice to be said in turn, the time running out, time up and
// errors at once.
TEST_F(ScreenReader, EverySentenceIsAlsoAnnouncedWithItsUrgency)
{
    c().div->click();
    type_into(c().typeprob, u"Tables-ez"_s);
    c().begin->click();
    answer(u"0"_s);
    answer(u"1"_s);
    answer(u"x"_s);
    ticks(49);
    answer(u"99999"_s);
    ticks(11);
    const std::vector<std::pair<QString, bool>> wanted = {
        { u"Division Tables are not supported at this time! Sorry! 1 divided by 1."_s, false },
        { u"Right! Next problem: 2 divided by 1."_s, false },
        { u"Wrong. Next problem: 3 divided by 1."_s, false },
        { u"Type a number."_s, false },
        { u"Overflow. The text \"99999\" could not be used."_s, true },
        { u"10 seconds left."_s, true },
        { u"Time is up. 1 right, 1 wrong."_s, true },
    };
    EXPECT_EQ(announced, wanted);
    std::vector<QString> said;
    for (const auto& [sentence, urgent] : announced)
        said.push_back(u"notification: "_s + sentence);
    EXPECT_EQ(said, spoken()) << "the voice said what was announced";
}

TEST_F(ScreenReader, EverySignIsReadAsItsWord)
{
    const std::pair<QRadioButton*, QString> signs[] = { { c().add, u"plus"_s },
        { c().subt, u"minus"_s }, { c().mult, u"times"_s }, { c().div, u"divided by"_s } };
    c().begin->click();
    for (const auto& [button, word] : signs) {
        button->click();
        EXPECT_EQ(skorvex::app::spoken_problem(c()),
            c().topnum->text() + u' ' + word + u' ' + c().botnum->text());
    }
}

TEST_F(ScreenReader, HearsTheNoticeTheLastTenSecondsTimeUpAndErrors)
{
    c().div->click();
    type_into(c().typeprob, u"Tables-ez"_s);
    c().begin->click();
    ticks(49);
    ASSERT_EQ(c().timeleft->text(), u"11"_s);
    tick();
    answer(u"0"_s);
    ticks(10);
    EXPECT_EQ(spoken(),
        (std::vector<QString> {
            u"notification: Division Tables are not supported at this time! Sorry! 1 divided by 1."_s,
            u"notification: 10 seconds left."_s,
            u"notification: Right! Next problem: 2 divided by 1."_s,
            u"notification: Time is up. 1 right, 0 wrong."_s }));

    // The notice is said once only; the next run is one tick shorter and its
    // cue comes all the same.
    heard.clear();
    c().begin->click();
    ticks(49);
    answer(u"99999"_s);
    EXPECT_EQ(spoken(),
        (std::vector<QString> { u"notification: 10 seconds left."_s,
            u"notification: Overflow. The text \"99999\" could not be used."_s }));
}

TEST_F(ScreenReader, AWholeRunByKeysAlone)
{
    // Settings with Tab and the arrows, starting from the window as it opens.
    ASSERT_EQ(QApplication::focusWidget(), c().begin);
    auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    };
    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), c().add);
    press(Qt::Key_Down);
    press(Qt::Key_Down);
    EXPECT_TRUE(c().mult->isChecked());
    EXPECT_EQ(c().oper->text(), u"x"_s);
    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), c().typeprob);
    press(Qt::Key_Down);
    EXPECT_EQ(c().typeprob->currentText(), u"Tables-ez"_s);
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), c().tnum);
    for (int i = 0; i < 4; ++i)
        press(Qt::Key_Down);
    EXPECT_EQ(c().tnum->currentText(), u"5"_s);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    press(Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(QApplication::focusWidget(), c().begin);
    press(Qt::Key_Space);

    // Thirteen answers typed and sent with Enter: the five times table and 6 x 1.
    for (int n = 0; n < 13; ++n) {
        ASSERT_EQ(QApplication::focusWidget(), c().ans);
        QTest::keyClicks(c().ans, c().anst->text());
        press(Qt::Key_Return);
    }
    EXPECT_EQ(c().cor->text(), u"13"_s);
    EXPECT_EQ(c().topnum->text(), u"6"_s);
    EXPECT_EQ(c().botnum->text(), u"2"_s);

    // When time is up, Tab reaches "Begin!" again and Enter starts a new run.
    while (c().Timer1->isActive())
        tick();
    int presses = 0;
    while (QApplication::focusWidget() != c().begin && presses++ < 12)
        press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), c().begin);
    press(Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), c().ans);
    EXPECT_EQ(c().topnum->text(), u"5"_s);
}

// Whether the words of `text` from `from` on stand on its first line, left to
// right, as the paragraph's own direction lays them out.
bool reads_on_left_to_right(const QString& text, qsizetype from)
{
    QTextLayout layout(text, QFont(u"Liberation Sans"_s));
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(100000);
    layout.endLayout();
    if (line.textLength() != text.size())
        return false;
    for (auto i = static_cast<int>(from); i + 1 < text.size(); ++i)
        if (line.cursorToX(i) >= line.cursorToX(i + 1))
            return false;
    return true;
}

// Whatever is typed or pasted is shown and said as typed: markup is no
// formatting, no link or picture, a direction mark turns nothing outside the
// quotes, a break neither ends the line nor the quotes' isolate but shows as a
// pilcrow, and a long text is cut between characters, never inside one. On
// screen the text is an isolate of its own; speech and braille take it as
// typed. The line on standard error shows every control, direction mark and
// break as its code, and has no isolate of the report's own.
TEST_F(ScreenReader, ATypedTextIsShownAndSaidAsTyped)
{
    const QString x55(55, u'x');
    const QString x59(59, u'x');
    const QString markup = u"<b>big</b><a href=\"https://example.org/\">link</a>"_s;
    const QString picture = u"<img src=\"file:///etc/hostname\">"_s;
    const QString reversed = u"\u202Eevil"_s;
    // An isolate closed that was never opened, and one opened and never closed.
    const QString unbalanced = u"\u2069\u202Eevil\u2067"_s;
    // Breaks that end a paragraph, then a mark that would turn what follows.
    const QString paragraph = u"1\u2029\u202Eevil"_s;
    const QString lines = u"a\nb\r\nc\u0085d\u2028e\u000B\u001Cf\u202E"_s;
    const QString marks = u"\u200F\u061C\u2066x\u200E\u202A\u001B[2J"_s;
    const struct {
        QString typed;
        QString shown; // between the quotation marks
        QString said;
        QString on_terminal; // between the quotation marks
    } cases[] = {
        { markup, u"\u2068"_s + markup + u"\u2069"_s, markup, markup },
        { picture, u"\u2068"_s + picture + u"\u2069"_s, picture, picture },
        { reversed, u"\u2068"_s + reversed + u"\u2069"_s, reversed, u"\\u202eevil"_s },
        { unbalanced, u"\u2068\u2068"_s + unbalanced + u"\u2069\u2069"_s, unbalanced,
            u"\\u2069\\u202eevil\\u2067"_s },
        { paragraph, u"\u20681\u00B6\u202Eevil\u2069"_s, paragraph, u"1\\u2029\\u202eevil"_s },
        { lines, u"\u2068a\u00B6b\u00B6\u00B6c\u00B6d\u00B6e\u00B6\u00B6f\u202E\u2069"_s, lines,
            u"a\\u000ab\\u000d\\u000ac\\u0085d\\u2028e\\u000b\\u001cf\\u202e"_s },
        { marks, u"\u2068"_s + marks + u"\u2069\u2069"_s, marks,
            u"\\u200f\\u061c\\u2066x\\u200e\\u202a\\u001b[2J"_s },
        { x55 + u"<b>bold</b>"_s, u"\u2068"_s + x55 + u"<b>bo\u2026\u2069"_s,
            x55 + u"<b>bo\u2026"_s, x55 + u"<b>bo\u2026"_s },
        { x59 + u"\U0001F600 and more"_s, u"\u2068"_s + x59 + u"\u2026\u2069"_s, x59 + u"\u2026"_s,
            x59 + u"\u2026"_s },
        { x59 + u"e\u0301 and more"_s, u"\u2068"_s + x59 + u"\u2026\u2069"_s, x59 + u"\u2026"_s,
            x59 + u"\u2026"_s },
    };
    const QString sentence = u"The text \"%1\" could not be used."_s;
    for (const auto& [typed, shown, said, on_terminal] : cases) {
        SCOPED_TRACE(typed.toStdString());
        heard.clear();
        // What no key types comes pasted.
        if (std::ranges::any_of(
                typed, [](QChar c) { return c.category() == QChar::Other_Control; })) {
            c().Level->lineEdit()->clear();
            c().Level->lineEdit()->insert(typed);
        } else {
            type_into(c().Level, typed);
        }
        c().begin->click();
        ASSERT_FALSE(errors.empty());
        EXPECT_EQ(errors.back().text(), typed.toStdString());
        QMessageBox* box = window->error_report().box();
        EXPECT_EQ(box->informativeText(), sentence.arg(shown));
        EXPECT_TRUE(reads_on_left_to_right(
            box->informativeText(), box->informativeText().lastIndexOf(u"could"_s)));
        EXPECT_EQ(spoken(),
            std::vector<QString> { u"notification: Type mismatch. "_s + sentence.arg(said) });
        EXPECT_EQ(window->error_report().terminal_line(),
            (u"skorvex: Type mismatch: "_s + sentence.arg(on_terminal)).toUtf8());
        for (const QLabel* label : box->findChildren<QLabel*>()) {
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
            EXPECT_FALSE(label->openExternalLinks());
        }
        while (c().Timer1->isActive())
            tick();
    }
    // Nor does any label of the window, the voice's and the answer box's own included.
    for (const QLabel* label : window->findChildren<QLabel*>())
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
}

} // namespace
