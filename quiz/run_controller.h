// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls/controls.h"
#include "problems/problems.h"
#include "runtime/int16.h"

#include <functional>

// The spine of the drill: "Begin!" starts a timed run, each tick of `Timer1`
// counts it down in `timeleft`, and the tick on which no second is left ends
// it. Whether a run is on is the Enabled flag of `begin` itself; no other
// variable holds it. The operation buttons only change the sign in `oper`.
namespace skorvex::quiz {

class RunController {
public:
    // `end_program` closes the window and ends the program at once.
    RunController(
        controls::Controls& c, problems::Problems& problems, std::function<void()> end_program);

    void add_Click();
    void subt_Click();
    void mult_Click();
    void div_Click();
    void begin_Click();
    void Timer1_Timer();
    void exit_Click();

private:
    void clear_score();
    void lock_settings();
    void unlock_settings();
    [[nodiscard]] runtime::int16 time_limit() const;

    controls::Controls& c_;
    problems::Problems& problems_;
    std::function<void()> end_program_;
    // Counts the ticks of a run. It is set to 1, not 0, when a run ends and
    // "Begin!" never resets it, so every run after the first is one tick
    // shorter; the drill has always counted this way.
    runtime::int16 elapsed_ticks_ = 0;
};

} // namespace skorvex::quiz
