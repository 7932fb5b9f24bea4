// SPDX-FileCopyrightText: 2026 The Skorvex developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "quiz/answer_checker.h"

#include "runtime/text.h"

namespace skorvex::quiz {

using namespace Qt::StringLiterals;
using namespace runtime;
using controls::caption;
using controls::set_caption;

AnswerChecker::AnswerChecker(controls::Controls& c, problems::Problems& problems)
    : c_(c)
    , problems_(problems)
{
}

void AnswerChecker::do_math_Click()
{
    c_.sunsad->hide();
    c_.sunhap->hide();

    const std::string typed_text = controls::text(c_.ans);
    if (!is_numeric(typed_text))
        return;
    // Throws on a number outside the 16-bit range: nothing is counted then.
    const int16 typed = to_int16(typed_text);

    int16 expected = 0;
    const std::string expected_text = caption(c_.anst);
    if (is_numeric(expected_text))
        expected = to_int16(expected_text);

    if (typed == expected) {
        set_caption(c_.cor, to_text(add(to_int16(caption(c_.cor)), 1)));
        c_.sunhap->show();
    }
    if (typed != expected) {
        set_caption(c_.incor, to_text(add(to_int16(caption(c_.incor)), 1)));
        c_.sunsad->show();
    }

    // Each test reads the problem type afresh, after the generator before it
    // has returned.
    if (c_.typeprob->currentText() == u"Random"_s)
        problems_.random_problem();
    if (c_.typeprob->currentText() == u"Tables-ez"_s)
        problems_.tables_ez_problem();
    if (c_.typeprob->currentText() == u"Tables-Random"_s)
        problems_.tables_random_problem();

    c_.ans->setText(QString());
}

} // namespace skorvex::quiz
