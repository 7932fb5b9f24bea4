# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""What the window says in a run, word for word, as every client must pass it
on: Orca's speech and braille, UI Automation's notifications under Wine, the
page's live regions. Each gives the sentence; said() gives the pattern a log
line must match whole."""

import re

# A problem as it is said ("6 plus 6", "12 divided by 3"): its top number,
# its sign in words and its bottom number.
PROBLEM = r"(-?\d+) (plus|minus|times|divided by) (-?\d+)"
# In a sentence given to said(), any problem.
ANY = "\0problem\0"
NOT_A_NUMBER = "Type a number."
TEN_SECONDS = "10 seconds left."
# Typed as a setting, it must be said and shown as typed, never as formatting.
MARKUP = '<b>big</b><a href="https://example.org/">link</a>'
# Pasted, with a paragraph break: the words after it must be said too.
PASTED = "12\u2029five"


def right(next_problem):
    return "Right! Next problem: %s." % next_problem


def wrong(next_problem):
    return "Wrong. Next problem: %s." % next_problem


def time_up(right_count, wrong_count):
    return "Time is up. %d right, %d wrong." % (right_count, wrong_count)


def division_notice(first_problem):
    return "Division Tables are not supported at this time! Sorry! %s." % first_problem


def report(error, typed):
    """An error report quoting what was typed: error is "Overflow" or
    "Type mismatch"."""
    return '%s. The text "%s" could not be used.' % (error, typed)


def said(sentence):
    """The pattern of a line that is the sentence whole; ANY in it stands for
    any problem, its numbers and sign as PROBLEM's groups."""
    return "^%s$" % re.escape(sentence).replace(re.escape(ANY), PROBLEM)
