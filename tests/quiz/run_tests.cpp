// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window_fixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <QtTest/QTest>
#include <functional>
#include <qpa/qwindowsysteminterface.h>

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

// The first tick comes one interval after "Begin!", not at once: whatever is
// due as "Begin!" returns is handled, and the countdown has not moved.
TEST_F(Runs, TheFirstTickComesOneSecondAfterBegin)
{
    QElapsedTimer since_begin;
    since_begin.start();
    c().begin->click();
    QCoreApplication::processEvents();
    const int remaining = c().Timer1->remainingTime();
    if (since_begin.elapsed() >= 900)
        GTEST_SKIP() << "the machine stalled for most of a second: nothing to tell";
    EXPECT_EQ(c().timeleft->text(), u"0"_s);
    // Within the 5 % a coarse timer may move its tick by.
    EXPECT_GT(remaining, 0);
    EXPECT_LE(remaining, 1050);
    EXPECT_FALSE(c().Timer1->isSingleShot());
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

#ifndef Q_OS_WASM
// Gives the event loop a few passes to end, without waiting, and then ends it
// as failed.
void end_as_failed_after(int passes)
{
    QTimer::singleShot(0, qApp, [passes] {
        if (passes == 0)
            QCoreApplication::exit(1);
        else
            end_as_failed_after(passes - 1);
    });
}
#endif

// The program's real ending, with a tick and a right answer queued behind it
// and a click on "GO!" and Enter in the answer box sent at once after it.
// On the desktop it runs inside an event loop: QApplication::exec() returns 0
// once the program has ended, and 1 if the loop went on. In a page the loop
// is the browser's and goes on: the queue is handled there as it would be.
int run_until_ended(skorvex::controls::Controls& c, const std::function<void()>& end)
{
    c.ans->setText(c.anst->text());
    const auto end_and_more = [&c, end] {
        end();
        QCoreApplication::postEvent(c.Timer1, new QTimerEvent(c.Timer1->timerId()));
        QMetaObject::invokeMethod(c.do_math, &QPushButton::click, Qt::QueuedConnection);
        QTest::mouseClick(c.do_math, Qt::LeftButton);
        QTest::keyClick(c.ans, Qt::Key_Return);
    };
#ifdef Q_OS_WASM
    end_and_more();
    QCoreApplication::processEvents();
    return 0;
#else
    QTimer::singleShot(0, qApp, [end_and_more] {
        end_and_more();
        end_as_failed_after(10);
    });
    return QApplication::exec();
#endif
}

TEST(Ending, ExitOrTheCloseButtonEndsTheProgramAndNothingIsHandledAfter)
{
    {
        SCOPED_TRACE("exit");
        skorvex::app::MainWindow window;
        skorvex::controls::Controls& c = window.controls();
        window.show();
        c.begin->click();
        const int ended = run_until_ended(c, [&c] { c.exit->click(); });
        EXPECT_EQ(ended, 0);
        EXPECT_FALSE(window.isVisible());
        EXPECT_FALSE(c.Timer1->isActive());
        EXPECT_EQ(c.timeleft->text(), u"0"_s) << "a tick was handled after exit";
        EXPECT_EQ(c.cor->text(), u"0"_s) << "an answer was judged after exit";
        EXPECT_EQ(c.incor->text(), u"0"_s) << "an answer was judged after exit";
    }
    {
        SCOPED_TRACE("the close button, with the error report open");
        skorvex::app::MainWindow window;
        skorvex::controls::Controls& c = window.controls();
        window.show();
        c.begin->click();
        c.ans->setText(u"99999"_s);
        c.do_math->click();
        ASSERT_TRUE(window.error_report().box()->isVisible());
        const int ended = run_until_ended(c, [&window] {
            QWindowSystemInterface::handleCloseEvent<QWindowSystemInterface::SynchronousDelivery>(
                window.windowHandle());
        });
        EXPECT_EQ(ended, 0);
        EXPECT_FALSE(window.isVisible());
        EXPECT_FALSE(window.error_report().box()->isVisible());
        EXPECT_FALSE(c.Timer1->isActive());
        EXPECT_EQ(c.timeleft->text(), u"0"_s) << "a tick was handled after closing";
        EXPECT_EQ(c.cor->text(), u"0"_s) << "an answer was judged after closing";
        EXPECT_EQ(c.incor->text(), u"0"_s) << "an answer was judged after closing";
    }
    // Qt's own ending, asked for as the last window closed, is not needed.
    QCoreApplication::removePostedEvents(qApp, QEvent::Quit);
}

} // namespace
