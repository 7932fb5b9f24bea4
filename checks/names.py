# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The window's names as every client must tell them: Orca on the desktop and
in the page, UI Automation under Wine, the page's accessibility tree. Named
once, here, so that a check never waits for a name the window no longer
has."""

TITLE = "Skorvex!"
BEGIN, GO, EXIT = "Begin!", "GO!", "exit"
ANSWER = "Your answer"
OPERATIONS = ["Addition", "Subtraction", "Multiplication", "Division"]
PROBLEM_TYPE, TIME_LIMIT = "Problem type", "Time limit"
LEVEL, TABLE_START = "Difficulty Level", "Table Start #"
SETTINGS = [PROBLEM_TYPE, TIME_LIMIT, LEVEL, TABLE_START]
PROBLEM_TYPES = ["Random", "Tables-ez", "Tables-Random"]
SELECT_TYPE, OPTIONS = "Select Type!", "Options!"
CORRECT, INCORRECT = "Correct!:", "Incorrect:"

# Each control that takes the focus, by its kind: a button, a text field, an
# option button or an editable combo box.
FOCUSABLE = [("button", BEGIN), ("text", ANSWER), ("button", GO),
             *(("radio", name) for name in OPERATIONS),
             *(("combo", name) for name in SETTINGS), ("button", EXIT)]
# Tab once round from Begin!, outside a run (the answer box and GO! are off).
TAB_ROUND = [OPERATIONS[0], *SETTINGS, EXIT, BEGIN]
