// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "window_fixture.h"

#include <QApplication>
#include <QtTest/QTest>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#if defined(__linux__)
#include <unistd.h>
#elif defined(__EMSCRIPTEN__)
#include <malloc.h>
#elif defined(_WIN32)
#include <windows.h>
// windows.h first: psapi.h needs its types.
#include <psapi.h>
#endif
#include <vector>

// Seeded random sequences of clicks, ticks, typed answers and typed settings
// on the real window, with the rules of the drill checked after every event.
// The model below is built from what the drill promises, not from its code:
// which answers count, when a run is on, what a problem's answer must be.
// SKORVEX_SOAK_SEEDS and SKORVEX_SOAK_EVENTS make the run longer.
namespace {

using skorvex::testing_support::WindowTest;
using namespace Qt::StringLiterals;

// The seeds every run plays, and those that once failed: they stay for good.
constexpr std::array<unsigned, 3> base_seeds { 1, 2, 3 };
constexpr std::array<unsigned, 0> regression_seeds {};

int env_or(const char* name, int fallback)
{
    const char* value = std::getenv(name);
    return value != nullptr ? std::atoi(value) : fallback;
}

// How a typed answer must be taken, known from how the text was made.
enum class Typed { right, wrong, not_a_number, too_large, some_number };

struct OddAnswer {
    QString text;
    Typed kind;
};

const std::vector<OddAnswer>& odd_answers()
{
    static const std::vector<OddAnswer> answers {
        { u""_s, Typed::not_a_number },
        { u"   "_s, Typed::not_a_number },
        { u"abc"_s, Typed::not_a_number },
        { u"-"_s, Typed::not_a_number },
        { u"+"_s, Typed::not_a_number },
        { u"."_s, Typed::not_a_number },
        { u"1e3"_s, Typed::not_a_number },
        { u"1,000"_s, Typed::not_a_number },
        { u"\u0663"_s, Typed::not_a_number }, // an Arabic-Indic three
        { u"\u00F7\u4E94"_s, Typed::not_a_number },
        { QString(100000, u'x'), Typed::not_a_number },
        { u"99999"_s, Typed::too_large },
        { u"32768"_s, Typed::too_large },
        { u"-32769"_s, Typed::too_large },
        { u"32767.5"_s, Typed::too_large },
        { QString(100000, u'9'), Typed::too_large },
        { u"+007"_s, Typed::some_number },
        { u" 3.49 "_s, Typed::some_number },
        { u"-0"_s, Typed::some_number },
        { u"32767"_s, Typed::some_number },
        { u"-32768.5"_s, Typed::some_number },
        { QString(300, u'0') + u"5"_s, Typed::some_number },
    };
    return answers;
}

const std::vector<QString>& setting_texts(int which)
{
    static const std::vector<QString> typeprob { u"Random"_s, u"Tables-ez"_s, u"Tables-Random"_s,
        u"random"_s, u"Random "_s, u""_s, u"Tables"_s };
    static const std::vector<QString> timetot { u"1 minute"_s, u"2 minutes"_s, u"10 minutes"_s,
        u"1 Minute"_s, u"2 minute"_s, u""_s, u"abc"_s };
    static const std::vector<QString> level { u"1"_s, u"2"_s, u"3"_s, u"0"_s, u"-3"_s, u"300"_s,
        u"32767"_s, u"abc"_s, u""_s, u"  "_s, u"\u4E94"_s, QString(100000, u'7') };
    static const std::vector<QString> tnum { u"1"_s, u"5"_s, u"12"_s, u"15"_s, u"0"_s, u"-7"_s,
        u"40"_s, u"32767"_s, u"abc"_s, u""_s, u"2.5"_s, u"\u4E94"_s, QString(100000, u'8') };
    switch (which) {
    case 0:
        return typeprob;
    case 1:
        return timetot;
    case 2:
        return level;
    default:
        return tnum;
    }
}

bool is_list_number(const QString& text, int low, int high)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= low && value <= high && text == QString::number(value);
}

class Soak : public WindowTest {
protected:
    enum class Maker { none, random, tables_ez, tables_random };

    // What the drill promises, tracked alongside the window.
    struct Model {
        int judged = 0; // answers judged since "Begin!"
        bool begin_stopped_early = false;
        Maker made_by = Maker::none;
        QChar operation; // selected when the problem on show was made
        bool problem_known = false;
        QString ans_text;
        Typed ans_kind = Typed::not_a_number;
        QString expected_when_typed; // `anst` when the answer was typed
        bool tables_started_ordinary = true;
    };

    QChar selected()
    {
        return c().add->isChecked() ? u'+'
            : c().subt->isChecked() ? u'-'
            : c().mult->isChecked() ? u'x'
                                    : u'/';
    }

    Maker maker_named(const QString& type) const
    {
        if (type == u"Random"_s)
            return Maker::random;
        if (type == u"Tables-ez"_s)
            return Maker::tables_ez;
        if (type == u"Tables-Random"_s)
            return Maker::tables_random;
        return Maker::none;
    }

    // Settings outside their lists may make a generator fail; inside them it
    // never does.
    // The tables read the starting table only when a run starts.
    bool inputs_ordinary(Maker maker, bool run_starting)
    {
        if (maker == Maker::random)
            return is_list_number(c().Level->currentText(), 1, 3);
        if (maker == Maker::tables_ez || maker == Maker::tables_random)
            return run_starting ? is_list_number(c().tnum->currentText(), 1, 15)
                                : model.tables_started_ordinary;
        return true;
    }

    void expect_problem_made(Maker maker, bool failed)
    {
        if (maker == Maker::none)
            return;
        if (failed) {
            model.problem_known = false;
            return;
        }
        model.made_by = maker;
        model.operation = selected();
        model.problem_known = true;
    }

    void check_invariants(const std::string& where)
    {
        SCOPED_TRACE(where);
        const int selected_count = int(c().add->isChecked()) + int(c().subt->isChecked())
            + int(c().mult->isChecked()) + int(c().div->isChecked());
        ASSERT_EQ(selected_count, 1);
        ASSERT_FALSE(
            c().sunhap->isVisibleTo(window.get()) && c().sunsad->isVisibleTo(window.get()));

        const bool idle = c().begin->isEnabled();
        ASSERT_EQ(c().Timer1->isActive(), !idle);
        ASSERT_EQ(c().typeprob->isEnabled(), idle);
        ASSERT_EQ(c().timetot->isEnabled(), idle);
        ASSERT_EQ(c().Level->isEnabled(), idle);
        ASSERT_TRUE(c().tnum->isEnabled());
        const bool answering = !idle && !model.begin_stopped_early;
        ASSERT_EQ(c().ans->isEnabled(), answering);
        ASSERT_EQ(c().do_math->isEnabled(), answering);

        bool ok_cor = false;
        bool ok_incor = false;
        const int cor = c().cor->text().toInt(&ok_cor);
        const int incor = c().incor->text().toInt(&ok_incor);
        ASSERT_TRUE(ok_cor && ok_incor && cor >= 0 && incor >= 0);
        ASSERT_EQ(cor + incor, model.judged);

        if (model.problem_known)
            check_problem();
    }

    void check_problem()
    {
        const int top = c().topnum->text().toInt();
        const int bottom = c().botnum->text().toInt();
        const int answer = c().anst->text().toInt();
        ASSERT_EQ(QString::number(answer), c().anst->text());
        const QChar op = model.operation;
        if (op == u'/') {
            if (model.made_by == Maker::random) {
                ASSERT_EQ(top, bottom * answer);
                ASSERT_GE(bottom, 1);
                ASSERT_LE(bottom, 11);
            } else {
                ASSERT_EQ(answer, 0) << "division tables expect 0";
                ASSERT_TRUE(c().nodiv->isVisibleTo(window.get()));
            }
            return;
        }
        const int expected = op == u'+' ? top + bottom : op == u'-' ? top - bottom : top * bottom;
        ASSERT_EQ(answer, expected) << top << " " << op.toLatin1() << " " << bottom;
        if (model.made_by == Maker::random) {
            ASSERT_GE(top, bottom);
        }
        if (model.made_by == Maker::tables_random) {
            ASSERT_GE(answer, 0) << "a negative problem never stays on show";
        }
        if (model.made_by != Maker::random) {
            ASSERT_GE(bottom, 1);
            ASSERT_LE(bottom, 12);
        }
    }

    void type_into_answer(const QString& text, Typed kind)
    {
        const bool takes_input = c().ans->isEnabled();
        if (text.size() <= 1000)
            type_into(c().ans, text);
        else if (takes_input)
            c().ans->setText(text); // pasted: nobody types that much
        if (takes_input) {
            model.ans_text = text;
            model.ans_kind = kind;
            model.expected_when_typed = c().anst->text();
        }
        ASSERT_EQ(c().ans->text(), model.ans_text) << "a disabled box takes no typing";
    }

    void submit(bool with_enter)
    {
        const int errors_before = static_cast<int>(errors.size());
        const int cor_before = c().cor->text().toInt();
        const bool go_enabled = c().do_math->isEnabled();
        const Maker maker = maker_named(c().typeprob->currentText());
        const bool ordinary = inputs_ordinary(maker, false);
        // A new problem since the answer was typed makes it just some number.
        if ((model.ans_kind == Typed::right || model.ans_kind == Typed::wrong)
            && c().anst->text() != model.expected_when_typed)
            model.ans_kind = Typed::some_number;
        if (with_enter) {
            QWidget* target
                = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
            // A focused button takes Enter itself; answer from the box then.
            if (qobject_cast<QPushButton*>(target))
                target = c().ans->isEnabled() ? static_cast<QWidget*>(c().ans) : window.get();
            QTest::keyClick(target, Qt::Key_Return);
        } else {
            QTest::mouseClick(c().do_math, Qt::LeftButton);
        }
        const int new_errors = static_cast<int>(errors.size()) - errors_before;
        if (!go_enabled) {
            ASSERT_EQ(new_errors, 0);
            return;
        }
        switch (model.ans_kind) {
        case Typed::not_a_number:
            ASSERT_EQ(new_errors, 0);
            ASSERT_EQ(c().ans->text(), model.ans_text) << "left for the learner to correct";
            ASSERT_FALSE(
                c().sunhap->isVisibleTo(window.get()) || c().sunsad->isVisibleTo(window.get()));
            return;
        case Typed::too_large:
            ASSERT_EQ(new_errors, 1) << "an answer out of range is reported";
            ASSERT_EQ(errors.back().kind(), skorvex::runtime::ErrorKind::overflow);
            return;
        case Typed::right:
            ASSERT_EQ(c().cor->text().toInt(), cor_before + 1);
            break;
        case Typed::wrong:
            ASSERT_EQ(c().cor->text().toInt(), cor_before);
            break;
        case Typed::some_number:
            break;
        }
        ++model.judged;
        if (ordinary) {
            ASSERT_EQ(new_errors, 0);
        }
        expect_problem_made(maker, new_errors > 0);
        if (new_errors == 0) {
            model.ans_text.clear();
            model.ans_kind = Typed::not_a_number;
        }
    }

    void press_begin()
    {
        const bool enabled = c().begin->isEnabled();
        const int errors_before = static_cast<int>(errors.size());
        const Maker maker = maker_named(c().typeprob->currentText());
        const bool ordinary = inputs_ordinary(maker, true);
        QTest::mouseClick(c().begin, Qt::LeftButton);
        if (!enabled)
            return;
        const bool failed = static_cast<int>(errors.size()) > errors_before;
        if (ordinary) {
            ASSERT_FALSE(failed);
        }
        if (failed && maker != Maker::random) {
            ASSERT_TRUE(c().begin->isEnabled()) << "a failing table start starts no run";
            model.problem_known = false;
            return;
        }
        model.judged = 0;
        model.begin_stopped_early = failed;
        model.tables_started_ordinary = ordinary;
        expect_problem_made(maker, failed);
    }

    void type_setting(std::mt19937& random)
    {
        const int which = static_cast<int>(random() % 4);
        QComboBox* combo = which == 0 ? c().typeprob
            : which == 1              ? c().timetot
            : which == 2              ? c().Level
                                      : c().tnum;
        const auto& texts = setting_texts(which);
        const QString text = texts[random() % texts.size()];
        const QString before = combo->currentText();
        if (text.size() <= 1000) {
            type_into(combo, text);
        } else if (combo->isEnabled()) {
            combo->lineEdit()->selectAll();
            combo->lineEdit()->insert(text); // pasted
        }
        ASSERT_EQ(combo->currentText(), combo->isEnabled() ? text : before);
    }

    void step(std::mt19937& random)
    {
        const unsigned roll = random() % 100;
        if (roll < 30) {
            if (c().Timer1->isActive())
                tick();
        } else if (roll < 48) {
            const QString expected = c().anst->text();
            type_into_answer(expected, Typed::right);
        } else if (roll < 56) {
            const int wrong = c().anst->text().toInt() + 1 + static_cast<int>(random() % 5);
            type_into_answer(
                QString::number(wrong), wrong > 32767 ? Typed::too_large : Typed::wrong);
        } else if (roll < 62) {
            const auto& odd = odd_answers()[random() % odd_answers().size()];
            type_into_answer(odd.text, odd.kind);
        } else if (roll < 78) {
            submit(random() % 2 == 0);
        } else if (roll < 84) {
            press_begin();
        } else if (roll < 90) {
            QRadioButton* options[] = { c().add, c().subt, c().mult, c().div };
            QTest::mouseClick(options[random() % 4], Qt::LeftButton);
        } else if (roll < 99) {
            type_setting(random);
        } else {
            const int ended = program_ended;
            QTest::mouseClick(c().exit, Qt::LeftButton);
            ASSERT_EQ(program_ended, ended + 1);
        }
    }

    void soak(unsigned seed, int events)
    {
        build_window();
        model = Model {};
        std::mt19937 random(seed);
        for (int i = 0; i < events; ++i) {
            step(random);
            check_invariants("seed " + std::to_string(seed) + ", event " + std::to_string(i));
            if (HasFatalFailure()) {
                std::printf("soak: seed %u failed at event %d\n", seed, i);
                return;
            }
        }
    }

    Model model;
};

TEST_F(Soak, RandomEventSequencesKeepEveryRule)
{
    const int seeds = env_or("SKORVEX_SOAK_SEEDS", 0);
    const int events = env_or("SKORVEX_SOAK_EVENTS", 12000);
    std::vector<unsigned> run(base_seeds.begin(), base_seeds.end());
    run.insert(run.end(), regression_seeds.begin(), regression_seeds.end());
    for (int s = 0; s < seeds; ++s)
        run.push_back(1000U + static_cast<unsigned>(s));
    long total = 0;
    for (const unsigned seed : run) {
        soak(seed, events);
        ASSERT_FALSE(HasFatalFailure());
        total += events;
    }
    std::printf("soak: %zu seeds, %ld events, no rule broken\n", run.size(), total);
}

// The process's resident memory: its working set on Windows, and in a page,
// which has no resident set of its own, the heap in use. Elsewhere the memory
// soak is skipped.
long resident_kib()
{
#if defined(__EMSCRIPTEN__)
    return static_cast<long>(mallinfo().uordblks / 1024);
#elif defined(_WIN32)
    PROCESS_MEMORY_COUNTERS counters {};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return -1;
    return static_cast<long>(counters.WorkingSetSize / 1024);
#elif !defined(__linux__)
    return -1;
#else
    std::ifstream statm("/proc/self/statm");
    long pages = 0;
    long resident = 0;
    statm >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
#endif
}

TEST_F(Soak, TenMinuteRunsWithAnAnswerEveryTickUseNoMoreMemory)
{
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "AddressSanitizer holds freed memory back; LeakSanitizer checks leaks there";
#endif
    if (resident_kib() < 0)
        GTEST_SKIP() << "resident memory is read from /proc";
    type_into(c().timetot, u"10 minutes"_s);
    const auto full_run = [this] {
        // What the fixture records of each run is the test's, not the window's.
        announced.clear();
        c().begin->click();
        while (c().Timer1->isActive()) {
            answer(c().anst->text());
            tick();
        }
    };
    full_run(); // warms up caches, fonts and the allocator
    const long before = resident_kib();
    for (int run = 0; run < 3; ++run)
        full_run();
    const long after = resident_kib();
    std::printf(
        "soak: resident %ld KiB before, %ld KiB after three 10-minute runs\n", before, after);
    EXPECT_EQ(c().cor->text(), u"599"_s);
    EXPECT_LE(after - before, 512);
}

} // namespace
