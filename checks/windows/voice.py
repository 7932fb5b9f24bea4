# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""What a Windows screen reader gets of the program, under Wine 10.

Usage: python3 -m checks.windows.voice SKORVEX_EXE UIA_PROBE WINEPREFIX SCREENSHOT_DIR

On a private Xvfb display, a small UI Automation client (UIA_PROBE) first asks
the window for its UI Automation root, as a screen reader does when it
starts, then reads the name and control type of every element that takes the
keyboard focus. Then real X keys play the drill every client plays. Wine 10
logs each UI Automation notification the program raises, with its kind, its
processing and its words; every sentence of the program's voice must come
once, in order, word for word as Orca hears it on Linux.
"""

import os
import re
import sys
import time

from checks import drill, names
from checks.drill import said
from checks.windows.window import WINE, Check, Failed, Keys, run_steps

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


# How the window raises each kind of news: its kind, and whether a reader
# says it in turn or only the latest of its activity.
KINDS = {drill.VERDICT: COMPLETED, drill.TIME_UP: COMPLETED, drill.HINT: ABORTED,
         drill.ERROR: ABORTED, drill.NOTICE: OTHER, drill.TEN_LEFT: OTHER}


class Heard(Keys):
    def __init__(self, check, voice):
        super().__init__(check)
        self.voice = voice

    def hear(self, step):
        if step.news == drill.SHOWN:
            return
        processing = IMPORTANT_ALL if step.news in drill.URGENT else MOST_RECENT
        self.voice.expect(said(step.sentence), KINDS[step.news], processing,
                          step.news.replace("_", " "), 75 if step.news == drill.TEN_LEFT else 20)
        if step.news in (drill.TIME_UP, drill.NOTICE, drill.ERROR):
            self.check.shot(step.news.replace("_", "-"))


def play(check, voice):
    drill.play(Heard(check, voice))
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
