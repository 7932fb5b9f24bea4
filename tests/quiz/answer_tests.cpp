// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QtTest/QTest>

namespace {

using skorvex::testing_support::WindowTest;
using namespace Qt::StringLiterals;

// Answers typed into the real box and sent with Enter. The problem type is
// one the generators do not know, so the expected answer can be set by hand
// and stays put between answers.
class Answers : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        type_into(c().typeprob, u"none"_s);
        c().begin->click();
        c().anst->setText(u"12"_s);
    }
    int correct() { return c().cor->text().toInt(); }
    int incorrect() { return c().incor->text().toInt(); }
};

TEST_F(Answers, TextThatIsNoNumberChangesNothing)
{
    answer(u"1"_s); // shows a sun first
    ASSERT_TRUE(c().sunsad->isVisible());
    for (const QString& text : { u""_s, u"   "_s, u"abc"_s, u"-"_s, u"."_s, u"1e2"_s }) {
        SCOPED_TRACE(text.toStdString());
        answer(text);
        EXPECT_FALSE(c().sunhap->isVisible());
        EXPECT_FALSE(c().sunsad->isVisible());
        EXPECT_EQ(correct(), 0);
        EXPECT_EQ(incorrect(), 1);
        EXPECT_EQ(c().ans->text(), text) << "left in the box to correct";
    }
}

TEST_F(Answers, JudgesByValue)
{
    struct Row {
        QString typed;
        bool right;
    };
    const Row rows[] = {
        { u" 12 "_s, true },
        { u"012"_s, true },
        { u"+12"_s, true },
        { u"12.0"_s, true },
        { u"12.5"_s, true },
        { u"11.5"_s, true },
        { u"13"_s, false },
        { u"12.51"_s, false },
        { u"12.6"_s, false },
        { u"-12"_s, false },
    };
    int right = 0;
    int wrong = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed.toStdString());
        answer(row.typed);
        (row.right ? right : wrong) += 1;
        EXPECT_EQ(correct(), right);
        EXPECT_EQ(incorrect(), wrong);
        EXPECT_EQ(c().sunhap->isVisible(), row.right);
        EXPECT_EQ(c().sunsad->isVisible(), !row.right);
        EXPECT_TRUE(c().ans->text().isEmpty());
    }
}

TEST_F(Answers, NegativeExpectedAnswer)
{
    c().anst->setText(u"-3"_s);
    answer(u"-3"_s);
    EXPECT_EQ(correct(), 1);
}

TEST_F(Answers, ExpectedAnswerThatIsNoNumberCountsAsZero)
{
    c().anst->setText(u"x"_s);
    answer(u"0"_s);
    EXPECT_EQ(correct(), 1);
}

TEST_F(Answers, RightThenWrongLeavesOnlyTheSadSun)
{
    answer(u"12"_s);
    EXPECT_TRUE(c().sunhap->isVisible());
    answer(u"13"_s);
    EXPECT_FALSE(c().sunhap->isVisible());
    EXPECT_TRUE(c().sunsad->isVisible());
}

TEST_F(Answers, UnknownProblemTypeKeepsTheExpectedAnswer)
{
    answer(u"12"_s);
    answer(u"12"_s);
    EXPECT_EQ(correct(), 2);
    EXPECT_EQ(c().anst->text(), u"12"_s);
    EXPECT_TRUE(c().ans->text().isEmpty());
}

TEST_F(Answers, GoButtonJudgesLikeEnter)
{
    type_into(c().ans, u"12"_s);
    QTest::mouseClick(c().do_math, Qt::LeftButton);
    EXPECT_EQ(correct(), 1);
    EXPECT_TRUE(c().ans->text().isEmpty());
}

TEST_F(Answers, PictureStaysAfterTimeUpUntilTheNextAnswer)
{
    answer(u"12"_s);
    while (c().Timer1->isActive())
        tick();
    EXPECT_TRUE(c().sunhap->isVisible());
    EXPECT_FALSE(c().do_math->isEnabled());
    c().begin->click();
    EXPECT_TRUE(c().sunhap->isVisible());
    answer(u"5"_s);
    EXPECT_FALSE(c().sunhap->isVisible());
}

TEST_F(Answers, RandomProblemFollowsEachJudgedAnswer)
{
    // The settings are locked during a run; start a fresh run with Random.
    while (c().Timer1->isActive())
        tick();
    type_into(c().typeprob, u"Random"_s);
    c().begin->click();
    // The first problem after start, with the 1 left in `timeleft`: 7 + 6.
    EXPECT_EQ(c().anst->text(), u"13"_s);
    answer(u"13"_s);
    EXPECT_EQ(correct(), 1);
    EXPECT_TRUE(c().sunhap->isVisible());
    EXPECT_EQ(c().topnum->text(), u"5"_s); // the second problem: 5 + 4
    EXPECT_EQ(c().anst->text(), u"9"_s);
    EXPECT_TRUE(c().ans->text().isEmpty());
}

// An overflow stops the step that raised it: what was written before it stays
// written, and nothing after it happens.
TEST_F(Answers, ACountAtItsLimitOrAFailingGeneratorKeepsWhatWasWritten)
{
    for (QLabel* count : { c().cor, c().incor }) {
        SCOPED_TRACE(count->objectName().toStdString());
        count->setText(u"32767"_s);
        answer(count == c().cor ? u"12"_s : u"13"_s);
        ASSERT_FALSE(errors.empty());
        EXPECT_EQ(errors.back().kind(), skorvex::runtime::ErrorKind::overflow);
        EXPECT_EQ(count->text(), u"32767"_s) << "written before the overflow";
        EXPECT_FALSE(c().sunhap->isVisible() || c().sunsad->isVisible());
        EXPECT_FALSE(c().ans->text().isEmpty()) << "the answer box was emptied";
        count->setText(u"0"_s);
    }
    while (c().Timer1->isActive())
        tick();

    // Each generator writes the two numbers, then fails on the answer: the
    // expected answer of the problem before stays.
    const struct {
        QString type;
        QRadioButton* operation;
        QComboBox* setting;
        QString chosen;
        QString top;
        QString bottom;
    } failing[] = {
        { u"Random"_s, c().mult, c().Level, u"1000"_s, u"6001"_s, u"6000"_s },
        { u"Tables-ez"_s, c().add, c().tnum, u"32767"_s, u"32767"_s, u"1"_s },
        { u"Tables-Random"_s, c().add, c().tnum, u"32767"_s, u"32767"_s, u"10"_s },
    };
    for (const auto& [type, operation, setting, chosen, top, bottom] : failing) {
        SCOPED_TRACE(type.toStdString());
        window->error_report().box()->hide();
        type_into(c().typeprob, type);
        operation->click();
        type_into(setting, chosen);
        c().begin->click();
        EXPECT_TRUE(window->error_report().box()->isVisible());
        EXPECT_EQ(errors.back().kind(), skorvex::runtime::ErrorKind::overflow);
        EXPECT_EQ(c().topnum->text(), top);
        EXPECT_EQ(c().botnum->text(), bottom);
        EXPECT_EQ(c().anst->text(), u"12"_s);
        while (c().Timer1->isActive())
            tick();
    }
}

} // namespace
