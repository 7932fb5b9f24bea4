# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a Windows screen reader gets of the program, under Wine 10.

Usage: python3 -m checks.windows.voice SKORVEX_EXE UIA_PROBE WINEPREFIX SCREENSHOT_DIR

On a private Xvfb display, a small UI Automation client (UIA_PROBE) first asks
the window for its UI Automation root, as a screen reader does when it
starts, then reads the name and control type of every element that takes the
keyboard focus. Then real X keys play a run with a right answer, a wrong
answer and a text that is no number until time is up, a run of Division
tables, and a starting table that is no number. Wine 10 logs each UI
Automation notification the program raises, with its kind, its processing
and its words; every sentence of the program's voice must come once, in
order, word for word as Orca hears it on Linux.
"""

import os
import re
import sys
import time

from checks import drill, names
from checks.drill import said
from checks.windows.window import WINE, Check, Failed, run_steps

# Control types of UI Automation.
BUTTON, COMBO_BOX, EDIT, RADIO_BUTTON = 50000, 50003, 50004, 50013
# What takes the keyboard focus, as Orca names it on Linux (the answer box and
# GO! too, which are disabled at start); an editable combo box is a combo
# box with an edit field of its name in it.
TYPES = {"button": [BUTTON], "text": [EDIT], "radio": [RADIO_BUTTON], "combo": [COMBO_BOX, EDIT]}
FOCUSABLE = sorted((kind, name) for role, name in names.FOCUSABLE for kind in TYPES[role])
# NotificationKind and NotificationProcessing.
COMPLETED, ABORTED, OTHER = 2, 3, 4
IMPORTANT_ALL, MOST_RECENT = 0, 3
NOTIFICATION = re.compile(
    r'UiaRaiseNotificationEvent \(\w+, (\d+), (\d+), L"((?:[^"\\]|\\.)*)", L"(Skorvex\.\w+)"\)')


def unescape(text):
    """Wine's debug strings escape quotes, backslashes and what is not ASCII."""
    return re.sub(r"\\(x[0-9a-fA-F]{2}|u[0-9a-fA-F]{4}|.)", lambda m: (
        chr(int(m.group(1)[1:], 16)) if len(m.group(1)) > 1 else m.group(1)), text)


class Voice:
    """The notifications the program raised, read from Wine's log as they come."""

    def __init__(self, log):
        self.log = log
        self.heard = 0
        self.sentences = []

    def read(self):
        with open(self.log, errors="replace") as log:
            self.sentences = [(int(kind), int(processing), unescape(words), activity)
                              for kind, processing, words, activity in NOTIFICATION.findall(
                                  log.read())]

    def expect(self, pattern, kind, processing, what, seconds=20):
        deadline = time.monotonic() + seconds
        while True:
            self.read()
            if len(self.sentences) > self.heard:
                got = self.sentences[self.heard]
                self.heard += 1
                if not re.fullmatch(pattern, got[2]) or got[:2] != (kind, processing):
                    raise Failed("%s: wanted %r (%d, %d), got %r" % (
                        what, pattern, kind, processing, got))
                print("  raised (%d, %d): %s" % got[:3])
                return got[2]
            if time.monotonic() > deadline:
                raise Failed("%s: nothing raised" % what)
            time.sleep(0.1)


def focusable(check, probe):
    print(check.run(WINE, probe, "wake").strip())
    tree = check.run(WINE, probe, "tree", seconds=60)
    found = []
    for line in tree.splitlines():
        if "\t" in line:
            kind, name = line.split("\t", 1)
            found.append((int(kind), name))
    print("  focusable: " + ", ".join("%s (%d)" % (name, kind) for kind, name in found))
    if sorted(found) != FOCUSABLE:
        raise Failed("the focusable elements differ from %r" % FOCUSABLE)
    print("  every control that takes the focus has its name and control type")


def play(check, voice):
    def say(pattern, kind, processing, what, seconds=20):
        return voice.expect(pattern, kind, processing, what, seconds)

    check.keys("space")  # Begin! has the focus; 6 + 6 comes first
    check.type("12")
    check.keys("Return")
    problem = say(said(drill.right(drill.ANY)), COMPLETED, MOST_RECENT, "a right answer")
    top, sign, bottom = re.search(drill.PROBLEM, problem).groups()
    check.type(str(int(top) + int(bottom) + 1))
    check.keys("Return")
    say(said(drill.wrong(drill.ANY)), COMPLETED, MOST_RECENT, "a wrong answer")
    check.type("abc")
    check.keys("Return")
    say(said(drill.NOT_A_NUMBER), ABORTED, MOST_RECENT, "a text that is no number")
    say(said(drill.TEN_SECONDS), OTHER, IMPORTANT_ALL, "ten seconds left", seconds=75)
    say(said(drill.time_up(1, 1)), COMPLETED, IMPORTANT_ALL, "time up")
    check.shot("time-up")

    # Time up left the focus on the operations: Division, Tables-ez, a time
    # outside the list (time is up on the first tick), and Begin!.
    check.keys("Down", "Down", "Down", "Tab", "Down", "Tab", "ctrl+a")
    check.type("short")
    check.keys("shift+Tab", "shift+Tab", "shift+Tab", "Return")
    say(said(drill.division_notice("1 divided by 1")), OTHER,
        MOST_RECENT, "the Division notice")
    say(said(drill.time_up(0, 0)), COMPLETED, IMPORTANT_ALL, "the end of the short run")
    check.shot("division")

    # A starting table that is no number: the run does not start.
    check.keys("Tab", "Tab", "Tab", "Tab", "ctrl+a")
    check.type("five")
    check.keys("shift+Tab", "shift+Tab", "shift+Tab", "shift+Tab", "shift+Tab", "Return")
    say(said(drill.report("Type mismatch", "five")), ABORTED, IMPORTANT_ALL,
        "the error report")
    check.shot("error")
    time.sleep(1)
    voice.read()
    if len(voice.sentences) != voice.heard:
        raise Failed("more was raised: %r" % voice.sentences[voice.heard:])
    print("  every sentence was raised once, in order, word for word")


def main():
    if len(sys.argv) != 5:
        print(__doc__)
        return 2
    exe, probe, prefix, screens = (os.path.abspath(arg) for arg in sys.argv[1:])
    os.makedirs(screens, exist_ok=True)
    check = Check(exe, prefix, screens)
    log = os.path.join(screens, "wine-uiautomation.log")
    check.env["WINEDEBUG"] = "-all,fixme+uiautomation"

    def steps():
        with open(log, "w") as messages:
            check.up(stderr=messages)
        focusable(check, probe)
        play(check, Voice(log))
    return run_steps(steps, check.down,
                     "passed: the names and the voice, as UI Automation gets them under Wine")


if __name__ == "__main__":
    sys.exit(main())
