// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window_fixture.h"

#include <QtTest/QTest>

namespace {

using skorvex::testing_support::WindowTest;
using namespace Qt::StringLiterals;

// One run of a Tables mode: `shown` lists the problems as "top bottom answer",
// the first from "Begin!", each later one from a judged answer. From problem
// `switch_at` on (counting from 0) the operation is `switch_to`.
struct TableRun {
    const char* name;
    QString tnum;
    const char* operation;
    QString shown;
    int switch_at = -1;
    const char* switch_to = "";
};

void PrintTo(const TableRun& run, std::ostream* out) { *out << run.name; }

class TablesTest : public WindowTest {
protected:
    QString play(const QString& mode, const TableRun& run)
    {
        type_into(c().typeprob, mode);
        type_into(c().tnum, run.tnum);
        option(run.operation)->click();
        c().begin->click();
        const auto count = run.shown.split(u' ').size() / 3;
        QStringList seen;
        for (qsizetype n = 0; n < count; ++n) {
            seen << c().topnum->text() << c().botnum->text() << c().anst->text();
            if (n + 1 == run.switch_at)
                option(run.switch_to)->click();
            answer(u"0"_s);
        }
        return seen.join(u' ');
    }
    QRadioButton* option(const char* name)
    {
        return window->findChild<QRadioButton*>(QString::fromLatin1(name));
    }
    void end_run()
    {
        while (c().Timer1->isActive())
            tick();
    }
};

class TablesEz : public TablesTest, public ::testing::WithParamInterface<TableRun> {};

TEST_P(TablesEz, WalksTheTablesInOrder)
{
    const TableRun& run = GetParam();
    EXPECT_EQ(play(u"Tables-ez"_s, run), run.shown);
    EXPECT_FALSE(c().nodiv->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Runs, TablesEz,
    ::testing::Values(
        TableRun { "from5_addition", u"5"_s, "add",
            u"5 1 6 5 2 7 5 3 8 5 4 9 5 5 10 5 6 11 5 7 12 5 8 13 5 9 14 5 10 15 5 11 16 5 12 17 "
            "6 1 7 6 2 8"_s },
        TableRun { "from5_multiplication", u"5"_s, "mult",
            u"5 1 5 5 2 10 5 3 15 5 4 20 5 5 25 5 6 30 5 7 35 5 8 40 5 9 45 5 10 50 5 11 55 "
            "5 12 60 6 1 6"_s },
        TableRun { "from5_subtraction", u"5"_s, "subt",
            u"5 1 4 5 2 3 5 3 2 5 4 1 5 5 0 6 1 5 6 2 4 6 3 3 6 4 2 6 5 1 6 6 0 7 1 6"_s },
        TableRun { "from3_subtraction", u"3"_s, "subt", u"3 1 2 3 2 1 3 3 0 4 1 3"_s },
        TableRun { "from12_subtraction", u"12"_s, "subt",
            u"12 1 11 12 2 10 12 3 9 12 4 8 12 5 7 12 6 6 12 7 5 12 8 4 12 9 3 12 10 2 12 11 1 "
            "12 12 0 13 1 12"_s },
        TableRun { "from1_subtraction", u"1"_s, "subt", u"1 1 0 2 1 1 2 2 0 3 1 2"_s },
        TableRun { "multiplication_then_subtraction", u"7"_s, "mult",
            u"7 1 7 7 2 14 7 3 21 7 4 28 7 5 35 7 6 42 7 7 49 7 8 56 7 9 63 7 10 -3 8 1 7"_s, 9,
            "subt" },
        TableRun { "blanks_around_tnum", u" 2 "_s, "add", u"2 1 3 2 2 4"_s }),
    [](const auto& info) { return std::string(info.param.name); });

class TablesRandom : public TablesTest, public ::testing::WithParamInterface<TableRun> {};

TEST_P(TablesRandom, TakesEachTableInTheFixedMixedOrder)
{
    const TableRun& run = GetParam();
    EXPECT_EQ(play(u"Tables-Random"_s, run), run.shown);
}

INSTANTIATE_TEST_SUITE_P(Runs, TablesRandom,
    ::testing::Values(
        TableRun { "from5_multiplication", u"5"_s, "mult",
            u"5 10 50 5 5 25 5 1 5 5 2 10 5 11 55 5 9 45 5 7 35 5 12 60 5 4 20 5 6 30 5 3 15 "
            "5 8 40 6 10 60 6 5 30"_s },
        TableRun { "from5_addition", u"5"_s, "add",
            u"5 10 15 5 5 10 5 1 6 5 2 7 5 11 16 5 9 14 5 7 12 5 12 17 5 4 9 5 6 11 5 3 8 "
            "5 8 13 6 10 16"_s },
        // 5 - 10, 5 - 11, 5 - 9, 5 - 7, 5 - 12, 5 - 6, 5 - 8 and 6 - 10 are dropped.
        TableRun { "from5_subtraction", u"5"_s, "subt",
            u"5 5 0 5 1 4 5 2 3 5 4 1 5 3 2 6 5 1 6 1 5 6 2 4"_s },
        TableRun { "from1_subtraction", u"1"_s, "subt", u"1 1 0 2 1 1 2 2 0"_s },
        TableRun { "multiplication_then_subtraction", u"5"_s, "mult",
            u"5 10 50 5 5 25 5 1 5 5 2 10 5 4 1"_s, 4, "subt" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TablesTest, DivisionTablesShowTheNoticeAndExpectZero)
{
    const TableRun ez { "", u"5"_s, "div", u"5 1 0 6 1 0 7 1 0"_s };
    EXPECT_EQ(play(u"Tables-ez"_s, ez), ez.shown);
    EXPECT_TRUE(c().nodiv->isVisible());
    end_run();

    // The notice stays in later runs of other kinds too.
    c().add->click();
    type_into(c().typeprob, u"Random"_s);
    c().begin->click();
    EXPECT_TRUE(c().nodiv->isVisible());
    end_run();

    const TableRun shuffled { "", u"5"_s, "div", u"5 10 0 5 5 0 5 1 0"_s };
    EXPECT_EQ(play(u"Tables-Random"_s, shuffled), shuffled.shown);
    EXPECT_TRUE(c().nodiv->isVisible());
}

TEST_F(TablesTest, DivisionShuffledTableGrowsEveryTwelveProblems)
{
    const TableRun run { "", u"5"_s, "div",
        u"5 10 0 5 5 0 5 1 0 5 2 0 5 11 0 5 9 0 5 7 0 5 12 0 5 4 0 5 6 0 5 3 0 5 8 0 6 10 0"_s };
    EXPECT_EQ(play(u"Tables-Random"_s, run), run.shown);
}

TEST_F(TablesTest, ASecondRunStartsAfreshFromTheStartingTable)
{
    const TableRun first { "", u"5"_s, "mult", u"5 1 5 5 2 10 5 3 15"_s };
    EXPECT_EQ(play(u"Tables-ez"_s, first), first.shown);
    end_run();
    const TableRun again { "", u"5"_s, "mult", u"5 1 5 5 2 10"_s };
    EXPECT_EQ(play(u"Tables-ez"_s, again), again.shown);
    end_run();

    const TableRun shuffled { "", u"3"_s, "mult", u"3 10 30 3 5 15 3 1 3"_s };
    EXPECT_EQ(play(u"Tables-Random"_s, shuffled), shuffled.shown);
    end_run();
    const TableRun shuffled_again { "", u"4"_s, "mult", u"4 10 40 4 5 20"_s };
    EXPECT_EQ(play(u"Tables-Random"_s, shuffled_again), shuffled_again.shown);
}

TEST_F(TablesTest, StartingTableIsReadOnlyAtTheStartOfARun)
{
    const TableRun run { "", u"5"_s, "add", u"5 1 6"_s };
    EXPECT_EQ(play(u"Tables-ez"_s, run), run.shown);
    type_into(c().tnum, u"9"_s);
    EXPECT_TRUE(c().tnum->isEnabled());
    EXPECT_EQ(c().topnum->text(), u"5"_s);
    EXPECT_EQ(c().botnum->text(), u"2"_s);
}

TEST_F(TablesTest, NegativeProblemNeverStaysOnShow)
{
    type_into(c().typeprob, u"Tables-Random"_s);
    type_into(c().tnum, u"5"_s);
    c().subt->click();
    c().begin->click();
    EXPECT_EQ(c().anst->text(), u"0"_s) << "5 - 10 was dropped within the call";
    EXPECT_EQ(c().botnum->text(), u"5"_s);
    EXPECT_EQ(c().cor->text(), u"0"_s);
    EXPECT_TRUE(c().ans->hasFocus());
}

} // namespace
