// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window_fixture.h"

#include <QtTest/QTest>

namespace {

using skorvex::testing_support::WindowTest;
using namespace Qt::StringLiterals;

// The factors B and C of the first Random problems after the program starts,
// from the fixed sequence: problem n uses draws 3n - 1 and 3n.
struct Factors {
    int B;
    int C;
};
constexpr Factors first_factors[] = { { 6, 7 }, { 4, 9 }, { 9, 9 }, { 1, 5 }, { 9, 5 }, { 10, 2 } };

class RandomProblems : public WindowTest {
protected:
    QString shown()
    {
        return c().topnum->text() + u' ' + c().botnum->text() + u' ' + c().anst->text();
    }
};

TEST_F(RandomProblems, FirstProblemAfterStartIsSixPlusSix)
{
    c().begin->click();
    EXPECT_EQ(shown(), u"6 6 12"_s);
}

TEST_F(RandomProblems, FirstDivisionProblemIsFortyTwoOverSix)
{
    c().div->click();
    c().begin->click();
    EXPECT_EQ(shown(), u"42 6 7"_s);
}

TEST_F(RandomProblems, EveryProblemUsesThreeDrawsAcrossRuns)
{
    c().div->click();
    c().begin->click();
    for (int n = 0; n < 3; ++n) {
        const auto [B, C] = first_factors[n];
        EXPECT_EQ(shown(), u"%1 %2 %3"_s.arg(B * C).arg(B).arg(C)) << "problem " << n + 1;
        if (n < 2)
            answer(u"0"_s);
    }
    while (c().Timer1->isActive())
        tick();
    // Level and the time digit do not change a Division problem.
    type_into(c().Level, u"3"_s);
    c().begin->click();
    for (int n = 3; n < 6; ++n) {
        const auto [B, C] = first_factors[n];
        EXPECT_EQ(shown(), u"%1 %2 %3"_s.arg(B * C).arg(B).arg(C)) << "problem " << n + 1;
        answer(u"0"_s);
    }
}

TEST_F(RandomProblems, TheTimeDigitAndLevelShapeTheProblem)
{
    struct Row {
        const char* operation;
        QString level;
        int tick_count; // ticks before the second problem, first run
        QString second; // topnum botnum anst of the second problem (B = 4)
    };
    const Row rows[] = {
        // 13 ticks: timeleft shows 47, D = 7.
        { "add", u"1"_s, 13, u"11 4 15"_s },
        { "subt", u"1"_s, 13, u"11 4 7"_s },
        { "mult", u"1"_s, 13, u"11 4 44"_s },
        // 50 ticks: timeleft shows 10, D = 0; equal values are not swapped.
        { "subt", u"2"_s, 50, u"8 8 0"_s },
        { "add", u"3"_s, 0, u"12 12 24"_s },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.operation);
        window = std::make_unique<skorvex::app::MainWindow>(
            skorvex::app::Collaborators { .end_program = [] {} });
        window->show();
        window->findChild<QRadioButton*>(QString::fromLatin1(row.operation))->click();
        type_into(c().Level, row.level);
        c().begin->click();
        ticks(row.tick_count);
        answer(u"0"_s);
        EXPECT_EQ(shown(), row.second);
    }
}

TEST_F(RandomProblems, LevelMultipliesTheFactor)
{
    type_into(c().Level, u"3"_s);
    c().mult->click();
    c().begin->click();
    ticks(50);
    for (int n = 0; n < 5; ++n)
        answer(u"0"_s);
    // Problem 6: B = 10, L = 3, D = 0 (timeleft 10): 30 x 30.
    EXPECT_EQ(shown(), u"30 30 900"_s);
}

} // namespace
