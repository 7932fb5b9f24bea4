# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The page played by ear: Debian's Orca listens while real X keys play a
run of the drill in a browser, and every step waits for what Orca says it
spoke and showed on the braille display, as the desktop's Orca check does.

Usage: python3 -m checks.web.orca_page WEB_DIR LOG_DIR [ENGINE ...]

ENGINE is firefox, chromium or webkitgtk (by default all three). In
WebKitGTK, Orca 43 reads the focus, the controls' names and a setting's new
value, but not the answer box's new name, and it did not say the first
verdict the page wrote to its live region when tried: there the check ends
once the answer box has the focus. Orca 48 reads the answer box with its
problem, and the braille line with the typed answer, but leaves out every
live region there: the check ends after the typed answer. Each runs
privately: an Xvfb display, a D-Bus session bus, the AT-SPI bus,
speech-dispatcher with espeak-ng, its sound taken at the pace a sound card
plays it, Orca with its own settings, then the browser at the page, served
on localhost. The run: the focus at load, Tab once round, then the drill
every client plays (with the sad sun found by name), the page read in
Orca's browse mode after its first run, and the report quoting a starting
table typed as markup and one pasted with a paragraph break. Orca's log
for each browser is kept in LOG_DIR. A browser whose run fails is played
once more: the check fails where the second run fails too.
"""

import copy
import os
import re
import subprocess
import sys
import tempfile
import time

from checks import drill, names
from checks.drill import said
from checks.harness import STEP_SECONDS, Failed, run_steps
from checks.linux.orca import ORCA_SETTINGS, Session
from checks.web.devtools import CHROMIUM, QUIET, Server
from checks.web.engines import FIREFOX_PREFERENCES, WEBKIT, webkit_version


def firefox(s, url):
    profile = tempfile.mkdtemp(prefix="skorvex-firefox-", dir=s.scratch)
    with open(os.path.join(profile, "user.js"), "w") as preferences:
        preferences.write(FIREFOX_PREFERENCES)
    s.start(["firefox-esr", "--no-remote", "--new-instance", "--profile", profile, url],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return s.run("firefox-esr", "--version").strip(), "Mozilla Firefox"


def chromium(s, url):
    profile = tempfile.mkdtemp(prefix="skorvex-chromium-", dir=s.scratch)
    s.start([CHROMIUM, *QUIET, "--force-renderer-accessibility", "--user-data-dir=" + profile,
             "--window-size=800,600", "--window-position=0,0", url],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return s.run(CHROMIUM, "--version").strip(), "Chromium"


def webkitgtk(s, url):
    s.start(["/usr/bin/python3", "-c", WEBKIT, url],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return webkit_version(s), "WebKitGTK"


ENGINES = {"firefox": firefox, "chromium": chromium, "webkitgtk": webkitgtk}


class PageSession(Session):
    def __init__(self, log):
        super().__init__(None, log, paced=True)
        # Orca reads a page whole as it loads, from the focus on; a key sent
        # while it reads moves its caret, and with it the browser's focus.
        # That reading is left off: the focus is said alone.
        self.settings = copy.deepcopy(ORCA_SETTINGS)
        self.settings["general"]["sayAllOnLoad"] = False
        # What a desktop that runs a screen reader tells the programs it starts.
        self.env["GNOME_ACCESSIBILITY"] = "1"
        self.env["ACCESSIBILITY_ENABLED"] = "1"

    def quiet(self, seconds=1.0, most=10):
        """Waits until Orca has said nothing for a second: a key sent while
        it speaks cuts it off."""
        deadline = time.monotonic() + most
        last, since = -1, time.monotonic()
        while time.monotonic() < deadline:
            self.speech.read()
            if len(self.speech.lines) != last:
                last, since = len(self.speech.lines), time.monotonic()
            elif time.monotonic() - since >= seconds:
                return
            time.sleep(0.1)

    def press(self, *keys):
        """Each key held as a hand holds it. The page moves its focus a frame
        or two after the key goes down, and Orca 48 takes a focus change
        that comes after the key is up for its own caret's move, when its
        last move of the caret in browse mode was by the same key."""
        self.quiet()
        for key in keys:
            self.run("xdotool", "keydown", key)
            time.sleep(0.15)
            self.run("xdotool", "keyup", key)
            time.sleep(0.05)

    def tap(self, *keys):
        """Keys sent as xdotool sends them, down and up at once: browse mode's
        reading by lines, where Orca keeps the keys, is played so."""
        self.quiet()
        self.keys(*keys)

    def enter(self, text):
        self.quiet()
        self.type(text)


MODE = r"^(Browse|Focus) mode"


def mode(s, wanted):
    """Orca's browse or focus mode: Orca switches to browse mode by itself
    where the focus lands on an option button, so it is asked for. Where the
    page's focus moves just after the key, Orca may switch once more by
    itself and say so: the last mode it announced is the one it is in."""
    for _ in range(3):
        s.quiet()
        s.speech.read()
        start = s.speech.heard = len(s.speech.lines)
        s.press("Caps_Lock+a")
        s.speech.expect(MODE, wanted.lower() + " mode")
        s.quiet()
        s.speech.read()
        modes = [m.group(1) for m in map(re.compile(MODE).match, s.speech.lines[start:]) if m]
        s.speech.heard = len(s.speech.lines)
        if modes[-1] == wanted:
            return
    raise Failed("Orca+A never brought %s mode" % wanted.lower())


def focus(name):
    return r"(^|\W)%s(\W|$)" % re.escape(name)


class Ear:
    """The drill played by real keys in the page and heard through Orca, as
    on the desktop. Only Tab moves the focus: WebKitGTK takes Shift+Tab for
    its own."""

    def __init__(self, s, engine):
        self.s = s
        self.engine = engine
        self.state = drill.State()
        self.box = ""  # what the answer box holds
        self.answers = 0

    def press(self, *keys):
        """Keys pressed once Orca is quiet: only what it says after them
        answers them."""
        self.s.quiet()
        self.s.speech.read()
        self.s.speech.heard = len(self.s.speech.lines)
        self.s.press(*keys)

    def go(self, stop):
        way = self.state.way(stop, backwards=False)
        if way:
            self.press(*way)
            name = self.state.name(stop)
            self.s.speech.expect(focus(name), "the focus on " + name)

    def choose(self, setting, value):
        say = self.s.speech.expect
        if setting == drill.OPERATION:
            # On an option button Orca is in browse mode, where the arrows
            # are its own: the learner asks for focus mode, as on any page.
            mode(self.s, "Focus")
            for key in self.state.arrows(setting, value):
                self.press(key)
            say(focus(value), value + " chosen")
        elif setting == names.PROBLEM_TYPE:
            self.press(*self.state.arrows(setting, value))
            say(r"^%s\b" % re.escape(value), "Down choosing " + value)
        elif value == drill.PASTED:
            self.press("ctrl+a")
            self.s.clipboard(value)
            self.press("ctrl+v")
        else:
            self.press("ctrl+a")
            self.s.enter(value)

    def begin(self):
        self.press("space")

    def answer(self, text):
        if text is not None:
            if self.box:
                self.press("ctrl+a")
            self.s.enter(text)
            self.box = text
            self.answers += 1
            if self.answers == 1:
                self.s.braille.expect(r"%s, your answer %s" % (self.state.problem, text),
                                      "the typed answer beside the problem in braille")
                if self.engine == "webkitgtk":
                    raise drill.Enough(
                        "WebKitGTK: Orca leaves out what the page writes to its live regions "
                        'there ("WEB: Ignoring event from live region." in its log): the check '
                        "ends here")
        self.press("Return")

    def close(self):
        self.press("Escape")

    def wait(self):
        pass

    def hear(self, step):
        say = self.s.speech.expect
        if step.news == drill.SHOWN:
            # Orca 43 in WebKitGTK keeps telling the name the answer box had
            # at load: the problem in its name does not reach it there.
            shown = say(r"^(%s, y|Y)our answer\b" % step.sentence if self.engine == "webkitgtk"
                        else r"^%s, your answer\b" % step.sentence,
                        "Begin! moving the focus to the answer box").group(0)
            if shown.startswith("Y"):
                raise drill.Enough(
                    "WebKitGTK: the answer box is read by its first name, without the problem; "
                    "and Orca does not say what the page writes to its live regions there: "
                    "the check ends here")
            self.s.braille.expect(r"%s, your answer" % step.sentence, "the problem in braille")
            return
        seconds = {drill.TEN_LEFT: 75, drill.TIME_UP: 20}.get(step.news, STEP_SECONDS)
        say(said(step.sentence), step.news.replace("_", " "), seconds)
        if step.news == drill.VERDICT:
            self.box = ""
            if step.sentence.startswith("Wrong"):
                # The sun, found in browse mode as a page's pictures are: by
                # Orca's key for the next graphic.
                mode(self.s, "Browse")
                self.s.press("g")
                say(r"^Wrong\b", "the sad sun, by its name")
                mode(self.s, "Focus")


def reads_the_window(s, ear):
    """Orca's browse mode reads the window by lines: the frame, the
    captions and the counts. Then Shift+Tab comes back into the drill."""
    mode(s, "Browse")
    s.tap("ctrl+Home")
    wanted = [names.SELECT_TYPE, names.OPTIONS, names.CORRECT, names.INCORRECT]
    for _ in range(40):
        if not wanted:
            break
        s.tap("Down")
        s.quiet()
        s.speech.read()
        heard = " | ".join(s.speech.lines[s.speech.heard:])
        s.speech.heard = len(s.speech.lines)
        wanted = [w for w in wanted if not re.search(focus(w), heard)]
    if wanted:
        raise Failed("browse mode's next line never reached: %s" % ", ".join(wanted))
    print("  browse mode's next line reaches the frame, the captions and the counts")
    mode(s, "Focus")
    # Reading left the page's focus where Orca read; Shift+Tab comes back
    # into the drill, to the control Qt's focus is on.
    s.press("shift+Tab")
    on = s.speech.expect(r"\b(%s)\b" % "|".join(names.OPERATIONS),
                         "Shift+Tab back into the drill, on the operations").group(1)
    if on != ear.state.settings[drill.OPERATION]:
        # Seen once: Firefox's window was deactivated and activated again
        # while Orca read, Orca left browse mode without a word, and the
        # next Down of the reading went on to the drill.
        print("  a Down of the reading reached the drill (Orca had left browse mode by itself)")
        ear.state.settings[drill.OPERATION] = on


def play(s, engine):
    s.speech.expect(r"\bBegin!", "the focus on Begin! at load", seconds=60)
    print("Tab once round")
    for name in names.TAB_ROUND:
        s.press("Tab")
        s.speech.expect(focus(name), "Tab to " + name)
    ear = Ear(s, engine)
    if drill.play(ear, drill.DRILL[:1]):
        print("The window read in browse mode")
        reads_the_window(s, ear)
        drill.play(ear, drill.DRILL[1:] + drill.QUOTING)


def log_path(logs, engine, suffix=""):
    return os.path.join(logs, "orca-%s%s.log" % (engine, suffix))


def check(engine, url, logs):
    log = log_path(logs, engine)
    session = PageSession(log)

    def steps():
        session.up()
        version, title = ENGINES[engine](session, url)
        print("%s, heard by %s" % (version, session.run("/usr/bin/orca", "--version").strip()))
        session.find_window(title, seconds=60, whole=False)
        play(session, engine)
    return run_steps(steps, session.down, "passed: %s, every step heard from Orca" % engine,
                     indent="  ", after_failure="  Orca's log: " + log)


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    folder, logs = os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2])
    os.makedirs(logs, exist_ok=True)
    engines = sys.argv[3:] or list(ENGINES)
    server = Server(folder)
    failed = 0
    try:
        for engine in engines:
            print("== %s" % engine)
            # Orca and a browser race at times: Chromium may tell a text
            # field's caret before its focus, and Orca then takes the field
            # for focused already and says nothing. A run that fails is played
            # once more from the start, and fails the check only again.
            if check(engine, server.url, logs):
                # The first try's log is kept beside the second's, to find
                # what the race was.
                if os.path.exists(log_path(logs, engine)):
                    os.replace(log_path(logs, engine), log_path(logs, engine, "-first-try"))
                print("  %s once more, from the start" % engine)
                failed |= check(engine, server.url, logs)
    finally:
        server.stop()
    return failed


if __name__ == "__main__":
    sys.exit(main())
