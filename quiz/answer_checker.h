// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls/controls.h"
#include "problems/problems.h"

// Judging one answer: the typed number against the expected answer kept in
// `anst`, a point to `cor` or `incor`, the happy or the sad sun, then the next
// problem and an empty answer box. A text that is not a number is ignored and
// left in the box for the learner to correct.
namespace skorvex::quiz {

class AnswerChecker {
public:
    AnswerChecker(controls::Controls& c, problems::Problems& problems);

    void do_math_Click();

private:
    controls::Controls& c_;
    problems::Problems& problems_;
};

} // namespace skorvex::quiz
