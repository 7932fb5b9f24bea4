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


def focus(name):
    """What Orca says first as a control gets the focus: its name."""
    return r"^%s(\W|$)" % re.escape(name)


class Ear:
    """The drill played from the keyboard and heard through Orca: each move
    of the focus and each piece of news waits for what Orca says, and the
    news for the braille line too."""

    def __init__(self, s):
        self.s = s
        self.state = drill.State()
        self.heard_news = collections.Counter()
        self.answers = 0

    def keys(self, *keys):
        """Keys sent once what Orca said so far is past: only what follows
        them can answer them."""
        self.s.speech.read()
        self.s.speech.heard = len(self.s.speech.lines)
        self.s.keys(*keys)

    def go(self, stop):
        way = self.state.way(stop)
        if way:
            self.keys(*way)
            name = self.state.name(stop)
            self.s.speech.expect(focus(name), "the focus on " + name)

    def choose(self, setting, value):
        if setting == drill.OPERATION:
            self.keys(*self.state.arrows(setting, value))
            self.s.speech.expect(focus(value), value + " chosen")
        elif setting == names.PROBLEM_TYPE:
            self.keys(*self.state.arrows(setting, value))
            self.s.speech.expect(r"\b%s\b" % re.escape(value), value + " chosen")
        elif value == drill.PASTED:
            self.s.clipboard(value)
            self.keys("ctrl+a", "ctrl+v")
        else:
            self.keys("ctrl+a")
            self.s.type(value)

    def begin(self):
        self.keys("space")

    def answer(self, text):
        if text is None:
            self.keys("Return")
            return
        self.answers += 1
        self.keys("ctrl+a")
        self.s.type(text)
        if self.answers == 1:
            self.s.braille.expect(r"%s, your answer %s " % (self.state.problem, text),
                                  "the typed answer beside the problem in braille")
        # The second answer is sent with the keypad's Enter.
        self.keys("KP_Enter" if self.answers == 2 else "Return")

    def wait(self):
        pass

    def close(self):
        self.keys("Escape")

    def hear(self, step):
        say, show = self.s.speech.expect, self.s.braille.expect
        what = step.news.replace("_", " ")
        if step.news == drill.SHOWN:
            say(r"^%s, your answer text\.$" % step.sentence, "Begin! moving the focus to the answer box")
            show(r"%s, your answer " % step.sentence, "the problem in braille")
            return
        # A notification: Orca says its role, then its text, once.
        start = len(self.s.speech.lines)
        say(NOTIFICATION, what, 75 if step.news == drill.TEN_LEFT else STEP_SECONDS)
        self.heard_news[say(said(step.sentence), what).group(0)] += 1
        show(said(step.sentence), what + " in braille")
        if step.news != drill.VERDICT:
            return
        # The verdict comes first, with the next problem in it, and the
        # problem is not said again (as the box's name, say).
        time.sleep(1)  # anything said after the notification has come by now
        self.s.speech.read()
        again = [line for line in self.s.speech.lines[start:] if ", your answer" in line]
        if again:
            raise Failed("%s: the problem was said again: %r" % (what, again))
        next_problem = step.sentence.split(": ", 1)[1].rstrip(".")
        show(r"%s, your answer" % re.escape(next_problem), "the next problem in braille")
        if sum(self.heard_news.values()) == 1:
            # Orca's "where am I" (Orca+Enter in the laptop layout) reads the box anew.
            self.keys("Caps_Lock+Return")
            say(r"^%s, your answer text\.$" % next_problem,
                "where am I reading the problem on show")


def play(s):
    say = s.speech.expect
    say(r"^Skorvex!$", "the window opening")
    say(button(names.BEGIN), "the focus on Begin!")
    ear = Ear(s)
    drill.play(ear, drill.DRILL + drill.QUOTING)
    for pattern in (r"seconds left", r"Division Tables are not supported"):
        if s.speech.count(pattern) != 1:
            raise Failed("/%s/ was not said exactly once" % pattern)

    # A run of a whole minute, so that it is still on when Orca reads the
    # problem, however busy the machine; left mid-run.
    drill.play(ear, (drill.Run(
        "Subtraction tables from 1: the sign is heard as minus; exit mid-run",
        ((names.TABLE_START, "1"), (drill.OPERATION, names.OPERATIONS[1]),
         (names.TIME_LIMIT, "1 minute")), (drill.Step(drill.BEGIN, drill.SHOWN, "1 minus 1"),)),))
    ear.keys("shift+Tab")  # over the disabled Begin! to exit
    say(button(names.EXIT), "the focus on exit")
    ear.keys("space")
    try:
        s.app.wait(STEP_SECONDS)
    except subprocess.TimeoutExpired:
        raise Failed("exit did not end the program")
    print("  the program ended")
    for sentence, times in ear.heard_news.items():
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
