# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Plays the drill by ear and by touch: Debian's Orca listens while real X key
events play runs, and every step waits for what Orca says it spoke and showed
on the braille display (the "SPEECH OUTPUT" and "BRAILLE LINE" lines of its
debug file; Orca logs each braille line even with no display attached).

Usage: python3 -m checks.linux.orca PATH/TO/skorvex [LOG]

Everything runs privately: an Xvfb display, a D-Bus session bus, the AT-SPI
bus, Orca with its own settings folder, then the program. Orca speaks through
speech-dispatcher and, where it is installed, espeak-ng, as on a desktop; the
sound goes to ALSA's null device. LOG (by default a temporary file) keeps
Orca's whole log for reading afterwards.
"""

import collections
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

from checks import drill, names
from checks.drill import said
from checks.harness import STEP_SECONDS, Failed, Harness, run_steps

ORCA = "/usr/bin/orca"

# Orca writes its debug file through a block buffer; this starts it with the
# file line-buffered, so that each line can be read as soon as it is spoken.
ORCA_LAUNCHER = """
import builtins, runpy, sys
log, prefs = sys.argv[1], sys.argv[2]
plain_open = builtins.open
def line_buffered_open(file, mode='r', buffering=-1, *args, **kwargs):
    if file == log and 'w' in mode:
        buffering = 1
    return plain_open(file, mode, buffering, *args, **kwargs)
builtins.open = line_buffered_open
sys.argv = ['orca', '--user-prefs', prefs] + (['--debug-file', log] if log else [])
runpy.run_path(%r, run_name='__main__')
""" % ORCA

# Orca's laptop layout: with the desktop layout the keypad belongs to Orca
# (keypad Enter is its "where am I"), and the drill would never see it.
ORCA_SETTINGS = {
    "general": {"keyboardLayout": 2, "orcaModifierKeys": ["Caps_Lock", "Shift_Lock"]},
    "profiles": {"default": {"profile": ["Default", "default"], "pronunciations": {}, "keybindings": {}}},
    "pronunciations": {},
    "keybindings": {},
}


# Speech as a desktop has it, but private and silent: espeak-ng where its
# module is installed (else speech-dispatcher's dummy module), through ALSA,
# whose default device here discards the sound.
SPEECHD_CONF = """AudioOutputMethod "alsa"
DefaultModule espeak-ng
"""
ASOUNDRC = "pcm.!default { type null }\n"
# The same, but taking the sound as a sound card plays it: the null device
# behind a pipe that a reader drains at 44,100 bytes a second (espeak-ng's
# 22,050 Hz of 16-bit mono), so that a sentence takes as long as it is said.
# A browser's screen reader waits for the end of each line it reads at load
# before it lets the page have the keys; with the sound gone at once, that
# end comes before it is listened for, and never comes.
PACED_ASOUNDRC = """pcm.!default {
    type file
    slave.pcm "null"
    file "|exec /usr/bin/python3 %s"
    format "raw"
}
"""
PACER = """
import fcntl, os, sys, time
F_SETPIPE_SZ = 1031
try:
    fcntl.fcntl(0, F_SETPIPE_SZ, 4096)
except OSError:
    pass
chunk, started, taken = 4410, time.monotonic(), 0
while True:
    data = os.read(0, chunk)
    if not data:
        break
    taken += len(data)
    ahead = started + taken / 44100 - time.monotonic()
    if ahead > 0:
        time.sleep(ahead)
    elif ahead < -0.5:
        started, taken = time.monotonic(), 0
"""


class Log:
    """Lines of one kind from Orca's debug file, read as they arrive."""

    def __init__(self, path, pattern, verb, orca_running):
        self.path = path
        self.verb = verb
        self.pattern = pattern
        self.orca_running = orca_running
        self.lines = []
        self.heard = 0  # lines already matched by an expectation

    def read(self):
        try:
            with open(self.path, errors="replace") as log:
                text = log.read()
        except FileNotFoundError:
            return
        self.lines = [m.group(1) for m in self.pattern.finditer(text)]

    def expect(self, pattern, what, seconds=STEP_SECONDS):
        """Waits for a line matching pattern, after those already heard."""
        wanted = re.compile(pattern)
        deadline = time.monotonic() + seconds
        while True:
            self.read()
            for index in range(self.heard, len(self.lines)):
                match = wanted.search(self.lines[index])
                if match:
                    self.heard = index + 1
                    print("  %s: %s" % (self.verb, self.lines[index]))
                    return match
            stopped = not self.orca_running()
            if stopped or time.monotonic() > deadline:
                recent = "\n    ".join(self.lines[self.heard:][-12:]) or "(nothing)"
                raise Failed("%s%s: never got /%s/; got since:\n    %s" % (
                    "Orca stopped. " if stopped else "", what, pattern, recent))
            time.sleep(0.05)

    def count(self, pattern):
        self.read()
        return sum(1 for line in self.lines if re.search(pattern, line))


class Session(Harness):
    def __init__(self, program, log, paced=False):
        super().__init__()
        self.program = program
        self.paced = paced
        self.settings = ORCA_SETTINGS
        self.scratch = tempfile.mkdtemp(prefix="skorvex-orca-")
        self.log = log or os.path.join(self.scratch, "orca.log")
        for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "QT_ACCESSIBILITY",
                     "QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "AT_SPI_BUS_ADDRESS"):
            self.env.pop(name, None)
        self.env["XDG_RUNTIME_DIR"] = self.scratch
        self.env["HOME"] = self.scratch
        self.orca = None
        running = lambda: self.orca is None or self.orca.poll() is None
        # SPEECH OUTPUT: 'the words' {voice settings}, or [{voice settings}]
        self.speech = Log(self.log, re.compile(
            r"SPEECH OUTPUT: '(.*)'(?: voice=\S+)? ?[\[{].*[\]}]$", re.MULTILINE), "heard", running)
        # BRAILLE LINE:  'the line'
        self.braille = Log(self.log, re.compile(r"BRAILLE LINE:  '(.*)'$", re.MULTILINE), "braille",
                           running)

    def up(self, debug=True, orca=True):
        """Starts everything but the program; Orca keeps its log if debug.
        Without Orca the bus is switched on as Orca would switch it on."""
        self.display()
        launch = self.run_quietly(["dbus-launch", "--sh-syntax"]).stdout
        address = re.search(r"DBUS_SESSION_BUS_ADDRESS='([^']*)'", launch)
        pid = re.search(r"DBUS_SESSION_BUS_PID=(\d+)", launch)
        if not (address and pid):
            raise Failed("no D-Bus session bus: " + launch)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address.group(1)
        self.bus_pid = int(pid.group(1))

        self.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.wait_for(lambda: self.run_quietly(
            ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
             "org.a11y.Bus.GetAddress"]).returncode == 0, "the AT-SPI bus")
        if not orca:
            self.run_quietly(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                              "/org/a11y/bus", "org.freedesktop.DBus.Properties.Set",
                              "string:org.a11y.Status", "string:IsEnabled",
                              "variant:boolean:true"])
            return

        speechd = os.path.join(self.scratch, ".config", "speech-dispatcher")
        os.makedirs(speechd)
        with open(os.path.join(speechd, "speechd.conf"), "w") as conf:
            conf.write(SPEECHD_CONF)
        with open(os.path.join(self.scratch, ".asoundrc"), "w") as conf:
            if self.paced:
                pacer = os.path.join(self.scratch, "pace.py")
                with open(pacer, "w") as script:
                    script.write(PACER)
                conf.write(PACED_ASOUNDRC % pacer)
            else:
                conf.write(ASOUNDRC)
        # Started here, in the foreground, for Orca to find: its own start as
        # a daemon, when Orca asks for it, ends at once on some machines
        # ("Can't fork child process").
        self.start(["speech-dispatcher", "--run-single", "--timeout", "0"],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        socket = os.path.join(self.scratch, "speech-dispatcher", "speechd.sock")
        self.wait_for(lambda: os.path.exists(socket), "speech-dispatcher")
        prefs = os.path.join(self.scratch, "orca")
        os.makedirs(prefs)
        with open(os.path.join(prefs, "user-settings.conf"), "w") as settings:
            json.dump(self.settings, settings)
        self.orca = self.start(["/usr/bin/python3", "-c", ORCA_LAUNCHER,
                                self.log if debug else "", prefs],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        if debug:
            self.speech.expect(r"^Screen reader on\.$", "Orca starting")
        # Qt switches its accessibility on when it starts with accessibility
        # enabled on the bus, which Orca does at its start.
        self.wait_for(lambda: "true" in self.run_quietly(
            ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
             "org.freedesktop.DBus.Properties.Get", "string:org.a11y.Status",
             "string:IsEnabled"]).stdout, "Orca to announce itself on the bus")

    def open_window(self):
        self.app = self.start([self.program], stdout=subprocess.DEVNULL,
                              stderr=open(os.path.join(self.scratch, "skorvex.err"), "w"))
        self.window = self.find_window(names.TITLE)

    def down(self):
        super().down()
        if getattr(self, "bus_pid", None):
            try:
                os.kill(self.bus_pid, 15)
            except ProcessLookupError:
                pass
        shutil.rmtree(self.scratch, ignore_errors=True)


def solve(match):
    top, sign, bottom = int(match.group(1)), match.group(2), int(match.group(3))
    return {"plus": top + bottom, "minus": top - bottom, "times": top * bottom}[sign]


# Orca 43 and Orca 48 say the same things in slightly other words: 43 calls a
# push button "push button" where 48 says "button", and ends the role of a
# notification with a full stop where 48 does not.
def button(name):
    return r"^%s (push )?button\.$" % re.escape(name)


NOTIFICATION = r"^notification\.?$"


# 48 also reads an editable combo box's value, before and after its role.
def combo(label, value):
    value = re.escape(value)
    return r"^%s(?: %s)? editable combo box(?: %s)?\.$" % (re.escape(label), value, value)


def play(s):
    say = s.speech.expect
    show = s.braille.expect

    heard_news = collections.Counter()

    def news(sentence, what, seconds=STEP_SECONDS):
        """A notification: Orca says its role, then its text, once."""
        say(NOTIFICATION, what, seconds)
        match = say(sentence, what)
        heard_news[match.group(0)] += 1
        return match

    def verdict(sentence, what):
        """After an answer the verdict comes first, with the next problem in
        it, and the problem is not said again (as the box's name, say)."""
        start = len(s.speech.lines)
        match = news(sentence, what)
        time.sleep(1)  # anything said after the notification has come by now
        s.speech.read()
        again = [line for line in s.speech.lines[start:] if ", your answer" in line]
        if again:
            raise Failed("%s: the problem was said again: %r" % (what, again))
        return match
    say(r"^Skorvex!$", "the window opening")
    say(button(names.BEGIN), "the focus on Begin!")

    print("A Random run of one minute, from the keyboard alone")
    s.keys("space")
    say(r"^6 plus 6, your answer text\.$", "Begin! moving the focus to the answer box")
    show(r"6 plus 6, your answer ", "the first problem in braille")
    s.type("12")
    show(r"6 plus 6, your answer 12 ", "the typed answer beside the problem in braille")
    s.keys("Return")
    problem = verdict(said(drill.right(drill.ANY)), "a right answer")
    show(said(drill.right(drill.ANY)), "the verdict in braille")
    next_problem = problem.group(0).split(": ", 1)[1].rstrip(".")
    show(r"%s, your answer" % next_problem, "the next problem in braille")
    # Orca's "where am I" (Orca+Enter in the laptop layout) reads the box anew.
    s.keys("Caps_Lock+Return")
    say(r"^%s, your answer text\.$" % next_problem, "where am I reading the problem on show")
    s.type(str(solve(problem)))
    s.keys("KP_Enter")
    problem = verdict(said(drill.right(drill.ANY)),
                      "a second right answer, sent with the keypad's Enter")
    s.type(str(solve(problem) + 1))
    s.keys("Return")
    verdict(said(drill.wrong(drill.ANY)), "a wrong answer")
    show(said(drill.wrong(drill.ANY)), "the wrong verdict in braille")
    s.type("abc")
    s.keys("Return")
    news(said(drill.NOT_A_NUMBER), "an answer that is no number")
    show(said(drill.NOT_A_NUMBER), "the hint in braille")
    s.keys("ctrl+a")
    s.type("99999")
    s.keys("Return")
    news(said(drill.report("Overflow", "99999")), "the error report")
    show(said(drill.report("Overflow", "99999")), "the error report in braille")
    # A minute from "Begin!": the cue comes about fifty seconds in.
    news(said(drill.TEN_SECONDS), "ten seconds left", seconds=75)
    show(said(drill.TEN_SECONDS), "ten seconds left in braille")
    news(said(drill.time_up(2, 1)), "the end of the run")
    show(said(drill.time_up(2, 1)), "time up in braille")
    if s.speech.count(r"seconds left") != 1:
        raise Failed("the ten-second cue was not said exactly once")

    print("A short run of Division tables, started from the keyboard")
    # Time up moved the focus on to the operations; Division is three down.
    s.keys("Down", "Down", "Down")
    say(r"^Division", "Division chosen")
    s.keys("Tab")
    say(r"^Problem type\.$", "the focus on the problem type")
    s.keys("Down")
    say(r"Tables-ez", "Tables-ez chosen")
    s.keys("Tab", "ctrl+a")
    s.type("short")  # a time outside the list: time is up on the first tick
    s.keys("Tab")
    say(combo(names.LEVEL, "1"), "the focus on the level")
    s.keys("Tab")
    say(combo(names.TABLE_START, "1"), "the focus on the starting table")
    s.keys("Down")
    say(r"^2$", "table 2 chosen")
    s.keys("Tab")
    say(button(names.EXIT), "the focus on exit")
    s.keys("Tab")
    say(button(names.BEGIN), "Tab going round to Begin!")
    s.keys("Return")
    notice = said(drill.division_notice("2 divided by 1"))
    news(notice, "the Division notice with the first problem")
    show(notice, "the Division notice in braille")
    news(said(drill.time_up(0, 0)), "the end of the short run")

    print("The same again: the notice is not repeated")
    s.keys("shift+Tab")
    say(button(names.BEGIN), "the focus back on Begin!")
    s.keys("space")
    news(said(drill.time_up(0, 0)), "the end of the second short run")
    if s.speech.count(r"Division Tables are not supported") != 1:
        raise Failed("the Division notice was not said exactly once")

    def begin_with_table(typed, what):
        """From the starting table back to Begin!, and Space: the report
        quoting what was typed is said and shown whole."""
        s.keys("shift+Tab", "shift+Tab", "shift+Tab", "shift+Tab", "shift+Tab")
        say(button(names.BEGIN), "the focus back on Begin!")
        s.keys("space")
        report = said(drill.report("Type mismatch", typed))
        news(report, "the report quoting " + what)
        show(report, "the report quoting %s, in braille" % what)

    print("A starting table typed as markup: the report says it as typed")
    # A Tables problem fails before the run starts, so no tick follows to
    # say "Time is up" over the report.
    s.keys("Tab", "Tab", "Tab", "Tab")
    say(combo(names.TABLE_START, "2"), "the focus on the starting table")
    s.keys("ctrl+a")
    s.type(drill.MARKUP)
    begin_with_table(drill.MARKUP, "the markup")

    print("A starting table pasted with a paragraph break in it: all of it is said")
    s.keys("shift+Tab", "shift+Tab")
    say(r"^Table Start #", "the focus on the starting table again")
    s.clipboard(drill.PASTED)
    s.keys("ctrl+a", "ctrl+v")
    begin_with_table(drill.PASTED, "the pasted text, break and all")

    # The table back to 2, and the focus back on the operations.
    s.keys("shift+Tab", "shift+Tab")
    say(r"^Table Start #", "the focus on the starting table again")
    s.keys("ctrl+a")
    s.type("2")
    s.keys("shift+Tab", "shift+Tab", "shift+Tab", "shift+Tab")
    say(r"^Division", "the focus back on Division")

    print("A run of Subtraction tables: the sign is heard as minus; leaving mid-run")
    # The focus is on Division again; Subtraction is two up. A run of a whole
    # minute, so that it is still on when Orca reads the problem, however
    # busy the machine.
    s.keys("Up", "Up")
    say(r"^Subtraction", "Subtraction chosen")
    s.keys("Tab", "Tab", "ctrl+a")
    s.type("1 minute")
    s.keys("shift+Tab", "shift+Tab", "shift+Tab")  # over the type and the option
    say(button(names.BEGIN), "the focus back on Begin!")
    s.keys("space")
    say(r"^-?\d+ minus -?\d+, your answer text\.$", "a Subtraction problem")
    show(r"-?\d+ minus -?\d+, your answer ", "the Subtraction problem in braille")
    s.keys("shift+Tab")  # over the disabled Begin! to exit
    say(button(names.EXIT), "the focus on exit")
    s.keys("space")
    try:
        s.app.wait(STEP_SECONDS)
    except subprocess.TimeoutExpired:
        raise Failed("exit did not end the program")
    print("  the program ended")
    for sentence, times in heard_news.items():
        count = s.speech.count(said(sentence))
        if count != times:
            raise Failed("%r was said %d times, not %d" % (sentence, count, times))
    # A notification with no text reaches the display as an empty line.
    if s.braille.count(r"^$"):
        raise Failed("%d braille lines were empty" % s.braille.count(r"^$"))


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    log = os.path.abspath(sys.argv[2]) if len(sys.argv) > 2 else None
    session = Session(os.path.abspath(sys.argv[1]), log)

    def steps():
        session.up()
        session.open_window()
        play(session)
    return run_steps(steps, session.down,
                     "passed: every step was heard from Orca and shown on its braille line",
                     after_failure=log and "Orca's log: " + log)


if __name__ == "__main__":
    sys.exit(main())
