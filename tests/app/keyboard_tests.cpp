// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window_fixture.h"

#include <QApplication>
#include <QtTest/QTest>

namespace {

using skorvex::testing_support::WindowTest;
using namespace Qt::StringLiterals;

class Keyboard : public WindowTest {
protected:
    QWidget* focus() { return QApplication::focusWidget(); }
};

TEST_F(Keyboard, EnterAnswersProblemAfterProblem)
{
    c().begin->click();
    for (int n = 0; n < 5; ++n) {
        ASSERT_TRUE(c().ans->hasFocus());
        QTest::keyClicks(focus(), c().anst->text());
        QTest::keyClick(focus(), Qt::Key_Return);
    }
    EXPECT_EQ(c().cor->text(), u"5"_s);
    QTest::keyClicks(focus(), u"1000"_s);
    // The keypad's Enter, which always comes with the keypad modifier.
    QTest::keyClick(focus(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(c().incor->text(), u"1"_s);
}

TEST_F(Keyboard, EnterOutsideTheAnswerBoxClicksGoUnlessOnAnotherButton)
{
    c().begin->click();
    type_into(c().ans, u"12"_s);
    // From a combo box and an option button, Enter still submits.
    c().tnum->setFocus();
    QTest::keyClick(focus(), Qt::Key_Return);
    EXPECT_EQ(c().cor->text(), u"1"_s);
    EXPECT_EQ(c().tnum->count(), 15) << "Enter adds nothing to the list";
    type_into(c().ans, u"8"_s);
    c().add->setFocus();
    QTest::keyClick(focus(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(c().cor->text(), u"2"_s);

    type_into(c().ans, u"7"_s);
    c().exit->setFocus();
    QTest::keyClick(c().exit, Qt::Key_Return);
    EXPECT_EQ(program_ended, 1) << "a focused button takes Enter itself";
    EXPECT_EQ(c().incor->text(), u"0"_s);
}

TEST_F(Keyboard, EnterDoesNothingWhileGoIsDisabled)
{
    c().tnum->setFocus();
    QTest::keyClick(focus(), Qt::Key_Return);
    EXPECT_EQ(c().cor->text(), u"0"_s);
    EXPECT_EQ(c().incor->text(), u"0"_s);
    EXPECT_TRUE(c().begin->isEnabled());
}

TEST_F(Keyboard, BeginAnswersSpaceAndEnter)
{
    c().begin->setFocus();
    QTest::keyClick(c().begin, Qt::Key_Space);
    EXPECT_FALSE(c().begin->isEnabled());
    while (c().Timer1->isActive())
        tick();
    c().begin->setFocus();
    QTest::keyClick(c().begin, Qt::Key_Return);
    EXPECT_FALSE(c().begin->isEnabled());
    EXPECT_TRUE(c().ans->hasFocus());
}

} // namespace
