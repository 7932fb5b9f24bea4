// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window_fixture.h"

#include <QApplication>
#include <QtTest/QTest>

namespace {

using skorvex::testing_support::WindowTest;
using namespace Qt::StringLiterals;

class Runs : public WindowTest {
protected:
    bool settings_enabled()
    {
        return c().typeprob->isEnabled() && c().timetot->isEnabled() && c().Level->isEnabled();
    }
    bool settings_disabled()
    {
        return !c().typeprob->isEnabled() && !c().timetot->isEnabled() && !c().Level->isEnabled();
    }
    bool running() { return !c().begin->isEnabled() && c().Timer1->isActive(); }

    // Ticks until the run ends; returns the number of ticks it took.
    int ticks_until_time_up()
    {
        int count = 0;
        while (c().Timer1->isActive() && count < 1000) {
            tick();
            ++count;
        }
        return count;
    }
};

TEST_F(Runs, BeginLocksTheSettingsAndStartsTheCountdown)
{
    c().begin->click();
    EXPECT_TRUE(running());
    EXPECT_EQ(c().Timer1->interval(), 1000);
    EXPECT_TRUE(settings_disabled());
    EXPECT_TRUE(c().ans->isEnabled());
    EXPECT_TRUE(c().do_math->isEnabled());
    EXPECT_TRUE(c().ans->hasFocus());
    EXPECT_TRUE(c().tnum->isEnabled());
    for (QWidget* option : { c().add, c().subt, c().mult, c().div })
        EXPECT_TRUE(option->isEnabled());
    EXPECT_TRUE(c().exit->isEnabled());
    EXPECT_EQ(c().timeleft->text(), u"0"_s) << "timeleft changes only on a tick";
}

TEST_F(Runs, FirstRunLastsSixtyTicksAndLaterRunsFiftyNine)
{
    c().begin->click();
    tick();
    EXPECT_EQ(c().timeleft->text(), u"59"_s);
    ticks(58);
    EXPECT_EQ(c().timeleft->text(), u"1"_s);
    EXPECT_TRUE(running());
    tick();
    EXPECT_FALSE(c().Timer1->isActive());
    EXPECT_TRUE(c().begin->isEnabled());
    EXPECT_TRUE(settings_enabled());
    EXPECT_FALSE(c().ans->isEnabled());
    EXPECT_FALSE(c().do_math->isEnabled());
    EXPECT_EQ(c().timeleft->text(), u"1"_s);

    c().begin->click();
    EXPECT_EQ(c().timeleft->text(), u"1"_s) << "Begin! leaves timeleft as it was";
    tick();
    EXPECT_EQ(c().timeleft->text(), u"58"_s);
    EXPECT_EQ(1 + ticks_until_time_up(), 59);

    c().begin->click();
    EXPECT_EQ(ticks_until_time_up(), 59);
}

TEST_F(Runs, EveryTimeLimitOfTheListLastsItsMinutes)
{
    const QString texts[]
        = { u"1 minute"_s, u"2 minutes"_s, u"3 minutes"_s, u"4 minutes"_s, u"5 minutes"_s,
              u"6 minutes"_s, u"7 minutes"_s, u"8 minutes"_s, u"9 minutes"_s, u"10 minutes"_s };
    ASSERT_EQ(c().timetot->count(), 10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(c().timetot->itemText(i), texts[i]);
        c().timetot->setCurrentIndex(i);
        c().begin->click();
        // Every run after the first is one tick shorter.
        EXPECT_EQ(ticks_until_time_up(), 60 * (i + 1) - (i > 0 ? 1 : 0)) << texts[i].toStdString();
    }
}

TEST_F(Runs, TenMinutesAfterARunEndsOnTick599)
{
    c().begin->click();
    ticks_until_time_up();
    type_into(c().timetot, u"10 minutes"_s);
    c().begin->click();
    tick();
    EXPECT_EQ(c().timeleft->text(), u"598"_s);
    EXPECT_EQ(1 + ticks_until_time_up(), 599);
}

TEST_F(Runs, UnknownTimeTextEndsTheRunOnItsFirstTick)
{
    for (const QString& text : { u"1 Minute"_s, u"2 minute"_s, u""_s, u" 1 minute"_s }) {
        SCOPED_TRACE(text.toStdString());
        type_into(c().timetot, text);
        const QString before = c().timeleft->text();
        c().begin->click();
        tick();
        EXPECT_FALSE(running());
        EXPECT_TRUE(settings_enabled());
        EXPECT_EQ(c().timeleft->text(), before);
        EXPECT_EQ(c().timetot->currentText(), text);
    }
}

TEST_F(Runs, UnknownProblemTypeStartsWithoutAProblem)
{
    type_into(c().typeprob, u"random"_s);
    c().begin->click();
    EXPECT_TRUE(running());
    EXPECT_EQ(c().topnum->text(), u"0"_s);
    EXPECT_EQ(c().botnum->text(), u"0"_s);
    EXPECT_EQ(c().anst->text(), u"0"_s);
    EXPECT_EQ(c().cor->text(), u"0"_s);
}

TEST_F(Runs, BeginClearsTheScoreButKeepsTheAnswerText)
{
    c().begin->click();
    answer(u"1"_s);
    answer(u"2"_s);
    EXPECT_EQ(c().cor->text().toInt() + c().incor->text().toInt(), 2);
    type_into(c().ans, u"unsent"_s);
    ticks_until_time_up();
    EXPECT_EQ(c().cor->text().toInt() + c().incor->text().toInt(), 2)
        << "score stays after time-up";
    EXPECT_EQ(c().ans->text(), u"unsent"_s);

    c().begin->click();
    EXPECT_EQ(c().cor->text(), u"0"_s);
    EXPECT_EQ(c().incor->text(), u"0"_s);
    EXPECT_EQ(c().ans->text(), u"unsent"_s);
}

TEST_F(Runs, OperationButtonsShowTheirSignAtOnce)
{
    c().begin->click();
    const QString top = c().topnum->text();
    const QString expected = c().anst->text();
    c().div->click();
    EXPECT_EQ(c().oper->text(), u"\u00F7"_s);
    EXPECT_EQ(c().topnum->text(), top);
    EXPECT_EQ(c().anst->text(), expected);
    c().mult->click();
    EXPECT_EQ(c().oper->text(), u"x"_s);
    c().subt->click();
    EXPECT_EQ(c().oper->text(), u"-"_s);
    c().add->click();
    EXPECT_EQ(c().oper->text(), u"+"_s);
    // The keyboard selects too: arrows move through the group.
    c().add->setFocus();
    QTest::keyClick(c().add, Qt::Key_Down);
    EXPECT_TRUE(c().subt->isChecked());
    EXPECT_EQ(c().oper->text(), u"-"_s);
}

TEST_F(Runs, ExitEndsTheProgramInAnyState)
{
    c().exit->click();
    EXPECT_EQ(program_ended, 1);
    c().begin->click();
    c().exit->click();
    EXPECT_EQ(program_ended, 2);
}

TEST(RealExit, ClosesTheWindowAndStopsTheTimer)
{
    skorvex::app::MainWindow window;
    window.show();
    window.controls().begin->click();
    window.controls().exit->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.controls().Timer1->isActive());
}

} // namespace
