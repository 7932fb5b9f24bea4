// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window_fixture.h"

#include <QMessageBox>
#include <QtTest/QTest>

namespace {

using skorvex::runtime::ErrorKind;
using skorvex::testing_support::WindowTest;
using namespace Qt::StringLiterals;

class ErrorBoundary : public WindowTest {
protected:
    void expect_reported(ErrorKind kind, const std::string& text)
    {
        ASSERT_FALSE(errors.empty());
        EXPECT_EQ(errors.back().kind(), kind);
        EXPECT_EQ(errors.back().text(), text);
        QMessageBox* box = window->error_report().box();
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->isVisible());
        EXPECT_FALSE(box->isModal());
        EXPECT_EQ(box->windowTitle(), u"Skorvex!"_s);
        EXPECT_EQ(box->text(), QString::fromUtf8(skorvex::runtime::kind_name(kind)));
        EXPECT_TRUE(box->informativeText().contains(QString::fromStdString(text)));
    }
};

TEST_F(ErrorBoundary, TooLargeAnswerIsReportedAndTheScoreKept)
{
    type_into(c().typeprob, u"none"_s);
    c().begin->click();
    c().anst->setText(u"5"_s);
    answer(u"5"_s);
    answer(u"99999"_s);
    expect_reported(ErrorKind::overflow, "99999");
    EXPECT_EQ(c().cor->text(), u"1"_s);
    EXPECT_EQ(c().incor->text(), u"0"_s);
    EXPECT_FALSE(c().sunhap->isVisible()) << "the pictures were hidden before the error";
    EXPECT_EQ(c().ans->text(), u"99999"_s);

    // The window goes on: the learner corrects the answer.
    answer(u"5"_s);
    EXPECT_EQ(c().cor->text(), u"2"_s);
    EXPECT_TRUE(c().Timer1->isActive());
    tick();
    EXPECT_EQ(c().timeleft->text(), u"59"_s);
}

TEST_F(ErrorBoundary, LevelThatIsNoNumberStopsBeginPartWay)
{
    type_into(c().Level, u"abc"_s);
    c().begin->click();
    expect_reported(ErrorKind::conversion, "abc");
    // Everything before the Random problem happened; enabling the answer box did not.
    EXPECT_FALSE(c().begin->isEnabled());
    EXPECT_TRUE(c().Timer1->isActive());
    EXPECT_FALSE(c().Level->isEnabled());
    EXPECT_FALSE(c().ans->isEnabled());
    EXPECT_FALSE(c().do_math->isEnabled());
    // The run still times out and unlocks the settings.
    while (c().Timer1->isActive())
        tick();
    EXPECT_TRUE(c().Level->isEnabled());
    type_into(c().Level, u"2"_s);
    c().begin->click();
    EXPECT_TRUE(c().ans->isEnabled());
}

TEST_F(ErrorBoundary, StartingTableThatIsNoNumberStartsNoRun)
{
    type_into(c().typeprob, u"Tables-ez"_s);
    type_into(c().tnum, u"five"_s);
    c().begin->click();
    expect_reported(ErrorKind::conversion, "five");
    EXPECT_TRUE(c().begin->isEnabled());
    EXPECT_FALSE(c().Timer1->isActive());
    EXPECT_TRUE(c().typeprob->isEnabled());
    EXPECT_EQ(c().topnum->text(), u"0"_s);

    type_into(c().tnum, u"4"_s);
    c().begin->click();
    EXPECT_EQ(c().topnum->text(), u"4"_s);
    EXPECT_FALSE(c().begin->isEnabled());
}

TEST_F(ErrorBoundary, AWorkedOutValueOutOfRangeIsReportedInTheProgramsOwnWords)
{
    c().subt->click();
    type_into(c().typeprob, u"Tables-ez"_s);
    type_into(c().tnum, u"-32768"_s);
    c().begin->click();
    expect_reported(ErrorKind::overflow, "");
    EXPECT_EQ(window->error_report().sentence(),
        u"Overflow. A number the drill worked out is outside -32768 to 32767."_s);
}

TEST_F(ErrorBoundary, LongOffendingTextIsShortenedInTheReport)
{
    type_into(c().typeprob, u"none"_s);
    c().begin->click();
    const QString huge(5000, u'9');
    c().ans->setText(huge);
    QTest::keyClick(c().ans, Qt::Key_Return);
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors.back().text().size(), 5000U);
    EXPECT_LT(window->error_report().box()->informativeText().size(), 200);
}

TEST_F(ErrorBoundary, OneReportWindowServesEveryError)
{
    type_into(c().typeprob, u"none"_s);
    c().begin->click();
    answer(u"40000"_s);
    QMessageBox* first = window->error_report().box();
    answer(u"-40000"_s);
    EXPECT_EQ(window->error_report().box(), first);
    EXPECT_TRUE(first->informativeText().contains(u"-40000"_s));
    EXPECT_EQ(window->findChildren<QMessageBox*>().size(), 1);
}

} // namespace
