# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The drill every client plays, written once as data, and what the window
says in it, word for word, as every client must pass it on: Orca's speech
and braille, UI Automation's notifications under Wine, the page's live
regions; the window under Wine shows it. A client gives the ways to move
the focus, choose a setting, press Begin!, answer and let the clock run,
and to take in one piece of news; play() plays the runs with it."""

import re
from typing import NamedTuple

from checks import names

# A problem as it is said ("6 plus 6", "12 divided by 3"): its top number,
# its sign in words and its bottom number.
PROBLEM = r"(-?\d+) (plus|minus|times|divided by) (-?\d+)"
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
    """The pattern of a line that is the sentence whole."""
    return "^%s$" % re.escape(sentence)


def solve(problem):
    top, sign, bottom = re.fullmatch(PROBLEM, problem).groups()
    top, bottom = int(top), int(bottom)
    return {"plus": top + bottom, "minus": top - bottom, "times": top * bottom}[sign]


# What the learner does in a step.
BEGIN = "begin"  # Begin!, by Space
ANSWER = "answer"  # an answer typed in place of the box's text, then Enter
AGAIN = "again"  # Enter once more, on the same text
WAIT = "wait"  # nothing: the clock brings the news
# Escape on an error report's window, which where a window manager (or the
# page) makes it the active window has the keys; the drill's own focus
# comes back. Elsewhere Escape goes to the drill, which ignores it.
CLOSE = "close"
# Answers worked out from the problem on show.
RIGHT, WRONG = "\0right\0", "\0wrong\0"

# What the window tells, as it classes its sentences: the answer box naming
# the problem, or a sentence of its voice.
SHOWN = "shown"
VERDICT, HINT, NOTICE, TEN_LEFT, TIME_UP, ERROR = (
    "verdict", "hint", "notice", "ten_seconds", "time_up", "error")
# These may cut in on what is being said; the rest wait their turn.
URGENT = {TEN_LEFT, TIME_UP, ERROR}

# The tab stops outside a run, once round from Begin!: the operations are
# one stop, the option chosen.
OPERATION = "operation"
ROUND = [names.BEGIN, OPERATION, *names.SETTINGS, names.EXIT]
# Where the focus goes: into the answer box at Begin!, on to the operation
# at time up; a run that cannot start leaves it on Begin!.
AFTER = {SHOWN: "answer", NOTICE: "answer", TIME_UP: OPERATION, ERROR: None}


# The settings at start.
START = {OPERATION: names.OPERATIONS[0], names.PROBLEM_TYPE: names.PROBLEM_TYPES[0], names.TIME_LIMIT: "1 minute",
         names.LEVEL: "1", names.TABLE_START: "1"}


class Step(NamedTuple):
    does: str
    news: str
    sentence: str  # the problem, where the news is SHOWN
    typed: str = None


class Run(NamedTuple):
    title: str
    settings: tuple  # (setting, value) pairs: OPERATION by its option's name
    steps: tuple


DRILL = (
    Run("A minute of Tables-ez in Addition from 1", ((names.PROBLEM_TYPE, "Tables-ez"),), (
        Step(BEGIN, SHOWN, "1 plus 1"),
        Step(ANSWER, VERDICT, right("1 plus 2"), RIGHT),
        Step(ANSWER, VERDICT, right("1 plus 3"), RIGHT),
        Step(ANSWER, VERDICT, wrong("1 plus 4"), WRONG),
        Step(ANSWER, HINT, NOT_A_NUMBER, "abc"),
        Step(AGAIN, HINT, NOT_A_NUMBER),
        Step(ANSWER, ERROR, report("Overflow", "99999"), "99999"),
        Step(CLOSE, None, None),
        Step(WAIT, TEN_LEFT, TEN_SECONDS),
        Step(WAIT, TIME_UP, time_up(2, 1)))),
    # A time outside the list: time is up on the first tick.
    Run("A short run of Division tables",
        ((OPERATION, names.OPERATIONS[3]), (names.TIME_LIMIT, "short")), (
            Step(BEGIN, NOTICE, division_notice("1 divided by 1")),
            Step(WAIT, TIME_UP, time_up(0, 0)))),
    Run("The same again: the notice is not repeated", (), (
        Step(BEGIN, TIME_UP, time_up(0, 0)),)),
    # A Tables problem fails before the run starts: the focus stays on Begin!.
    Run("A starting table that is no number", ((names.TABLE_START, "five"),), (
        Step(BEGIN, ERROR, report("Type mismatch", "five")), Step(CLOSE, None, None))),
)


# The report quotes a starting table as it was typed, and as it was pasted
# with a paragraph break in it, whole.
QUOTING = tuple(
    Run("A starting table %s: the report quotes it whole" % how, ((names.TABLE_START, typed),), (
        Step(BEGIN, ERROR, report("Type mismatch", typed)), Step(CLOSE, None, None)))
    for how, typed in (("typed as markup", MARKUP), ("pasted with a paragraph break", PASTED)))


class Enough(Exception):
    """A client that can follow no further: the drill ends there, passed."""


class State:
    """Where a client is: the focus's tab stop, the option chosen, the
    problem on show and the counts."""

    def __init__(self):
        self.at = names.BEGIN
        self.settings = dict(START)
        self.problem = None
        self.right = self.wrong = 0

    def name(self, stop):
        """A tab stop by the name its control is read by."""
        return self.settings[OPERATION] if stop == OPERATION else stop

    def way(self, stop, backwards=True):
        """The keys from the focus to the stop: Tab, or Shift+Tab where
        that is shorter and backwards is allowed."""
        ahead = (ROUND.index(stop) - ROUND.index(self.at)) % len(ROUND)
        if backwards and len(ROUND) - ahead < ahead:
            return ["shift+Tab"] * (len(ROUND) - ahead)
        return ["Tab"] * ahead

    def arrows(self, setting, value):
        """The arrows from the option chosen, or the problem type, to another."""
        choices = names.OPERATIONS if setting == OPERATION else names.PROBLEM_TYPES
        move = choices.index(value) - choices.index(self.settings[setting])
        return ["Down"] * move if move > 0 else ["Up"] * -move


def play(client, drill=DRILL):
    """Plays the runs with the client: client.go(stop), client.choose(setting,
    value) (a text setting is pasted where it is PASTED), client.begin(),
    client.answer(text) (None for Enter alone), client.close(), client.wait() and
    client.hear(step) for each step's news, with client.state kept up to
    date. A client that raises Enough stops there; play() returns False."""
    s = client.state
    try:
        for run in drill:
            print(run.title)
            for setting, value in run.settings:
                client.go(setting)
                s.at = setting
                client.choose(setting, value)
                s.settings[setting] = value
            client.go(names.BEGIN)
            s.at = names.BEGIN
            for step in run.steps:
                if step.does == BEGIN:
                    s.right = s.wrong = 0
                    client.begin()
                elif step.does == ANSWER:
                    client.answer({RIGHT: lambda: str(solve(s.problem)),
                                   WRONG: lambda: str(solve(s.problem) + 1)}.get(
                                       step.typed, lambda: step.typed)())
                elif step.does == AGAIN:
                    client.answer(None)
                elif step.does == CLOSE:
                    client.close()
                    continue
                else:
                    client.wait()
                if step.news == VERDICT:
                    if step.sentence.startswith("Right"):
                        s.right += 1
                    else:
                        s.wrong += 1
                client.hear(step)
                if step.news == SHOWN:
                    s.problem = step.sentence
                elif step.news == VERDICT:
                    s.problem = step.sentence.split(": ", 1)[1].rstrip(".")
                elif step.news == NOTICE:
                    s.problem = step.sentence.rsplit("! ", 1)[1].rstrip(".")
                if step.news in AFTER:
                    s.at = AFTER[step.news] or s.at
    except Enough as reason:
        print("  %s" % reason)
        return False
    return True
