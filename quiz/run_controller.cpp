// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "quiz/run_controller.h"

#include "runtime/text.h"

#include <array>
#include <utility>

namespace skorvex::quiz {

using namespace Qt::StringLiterals;
using namespace runtime;

RunController::RunController(
    controls::Controls& c, problems::Problems& problems, std::function<void()> end_program)
    : c_(c)
    , problems_(problems)
    , end_program_(std::move(end_program))
{
}

void RunController::add_Click() { c_.oper->setText(u"+"_s); }

void RunController::subt_Click() { c_.oper->setText(u"-"_s); }

void RunController::mult_Click() { c_.oper->setText(u"x"_s); }

void RunController::div_Click() { c_.oper->setText(u"\u00F7"_s); }

// The Tables generators run first, while `begin` is still enabled: that is how
// they know to start from the chosen table. Random runs after the score is
// cleared.
void RunController::begin_Click()
{
    if (c_.typeprob->currentText() == u"Tables-ez"_s)
        problems_.tables_ez_problem();
    if (c_.typeprob->currentText() == u"Tables-Random"_s)
        problems_.tables_random_problem();
    c_.begin->setEnabled(false);
    c_.Timer1->start();
    lock_settings();
    clear_score();
    if (c_.typeprob->currentText() == u"Random"_s)
        problems_.random_problem();
    c_.ans->setEnabled(true);
    c_.do_math->setEnabled(true);
    c_.ans->setFocus();
}

void RunController::Timer1_Timer()
{
    const int16 L = time_limit();
    const bool run_on = !c_.begin->isEnabled();
    if (run_on) {
        elapsed_ticks_ = add(elapsed_ticks_, 1);
        if (sub(L, elapsed_ticks_) > 0)
            controls::set_caption(c_.timeleft, to_text(sub(L, elapsed_ticks_)));
    }
    // Time up: the timer stops before `begin` comes back, so every tick finds
    // `begin` disabled.
    if (sub(L, elapsed_ticks_) < 1) {
        c_.Timer1->stop();
        elapsed_ticks_ = 1;
        unlock_settings();
        c_.begin->setEnabled(true);
        c_.ans->setEnabled(false);
        c_.do_math->setEnabled(false);
    }
}

void RunController::exit_Click() { end_program_(); }

void RunController::clear_score()
{
    c_.cor->setText(u"0"_s);
    c_.incor->setText(u"0"_s);
}

void RunController::lock_settings()
{
    c_.typeprob->setEnabled(false);
    c_.timetot->setEnabled(false);
    c_.Level->setEnabled(false);
}

void RunController::unlock_settings()
{
    c_.typeprob->setEnabled(true);
    c_.timetot->setEnabled(true);
    c_.Level->setEnabled(true);
}

// Only the exact texts of the list count; any other text is no time at all.
int16 RunController::time_limit() const
{
    struct Limit {
        QStringView text;
        int16 seconds;
    };
    static constexpr std::array<Limit, 10> limits { {
        { u"1 minute", 60 },
        { u"2 minutes", 120 },
        { u"3 minutes", 180 },
        { u"4 minutes", 240 },
        { u"5 minutes", 300 },
        { u"6 minutes", 360 },
        { u"7 minutes", 420 },
        { u"8 minutes", 480 },
        { u"9 minutes", 540 },
        { u"10 minutes", 600 },
    } };
    const QString chosen = c_.timetot->currentText();
    for (const auto& limit : limits)
        if (chosen == limit.text)
            return limit.seconds;
    return 0;
}

} // namespace skorvex::quiz
