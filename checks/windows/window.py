# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The Windows program's real window under Wine, played by real X keys.

Usage: python3 -m checks.windows.window SKORVEX_EXE WINEPREFIX SCREENSHOT_DIR

On a private Xvfb display, with Qt's windows platform and its windowsvista
style, real keys play the drill every client plays, and the check reads
from screenshots of the window: its client size; the focus on "Begin!" at
start, as Space starts a run; after each answer, sent by Return (the second
by Return from the selected option button), the happy or the sad sun and
the counts; each run's end at time up. The suns are compared with the
pictures the program carries, pixel for pixel; a count is read by comparing
its label with the same figure shown before, by either count. The
screenshots are kept in SCREENSHOT_DIR.
"""

import os
import subprocess
import sys
import time

from PIL import Image

from checks import ASSETS, drill, names
from checks.harness import Failed, Harness, expect, run_steps
from checks.pictures import Figures, same

WINE = os.environ.get("SKORVEX_WINE", "/usr/lib/wine/wine64")
CLIENT = (443, 350)  # 6648 x 5244 twips at 96 DPI
# Boxes in the window's client area, in pixels at 96 DPI: left, top, width, height.
BOXES = {
    "begin": (8, 288, 81, 49),
    "ans": (248, 200, 129, 65),
    "do_math": (392, 208, 41, 33),
    "cor": (296, 288, 25, 17),
    "incor": (296, 312, 25, 17),
    "sun": (144, 24, 72, 72),
}


class Check(Harness):
    def __init__(self, exe, prefix, screens):
        # Wine hands a variable named QT_... to a Windows program only when it
        # is written WINEQT_...: Linux's own Qt settings stay out.
        super().__init__({name: value for name, value in os.environ.items()
                          if not name.startswith(("WINEQT_", "WAYLAND_"))})
        self.exe = exe
        self.screens = screens
        self.env.update(WINEPREFIX=prefix, WINEDEBUG="-all", LANG="C.UTF-8", LC_ALL="C.UTF-8",
                        WINEQT_QPA_PLATFORM="windows", WINEQT_STYLE_OVERRIDE="windowsvista")
        self.shots = 0

    def up(self, stderr=subprocess.DEVNULL):
        self.display()
        self.app = self.start([WINE, self.exe], stdout=subprocess.DEVNULL, stderr=stderr)
        # Wine's first start in a prefix sets it up, which takes its time.
        self.window = self.find_window(names.TITLE)
        time.sleep(1)

    def keys(self, *keys):
        super().keys(*keys, delay=80)
        time.sleep(0.5)

    def type(self, text):
        super().type(text, delay=80)

    def shot(self, what):
        self.shots += 1
        path = os.path.join(self.screens, "%02d-%s.png" % (self.shots, what))
        self.run("import", "-window", self.window, path)
        print("  screenshot %s" % os.path.basename(path))
        return Image.open(path).convert("RGB")

    def down(self):
        self.run_quietly([os.path.join(os.path.dirname(WINE), "wineserver"), "-k"])
        super().down()


def crop(image, name):
    left, top, width, height = BOXES[name]
    return image.crop((left, top, left + width, top + height))


def wait_for_time_up(check, running):
    """Screenshots every two seconds until Begin! is no longer as in the run."""
    path = os.path.join(check.screens, "waiting.png")
    deadline = time.monotonic() + 90
    while True:
        time.sleep(2)
        check.run("import", "-window", check.window, path)
        if not same(crop(Image.open(path).convert("RGB"), "begin"), crop(running, "begin")):
            os.remove(path)
            return
        if time.monotonic() > deadline:
            raise Failed("the run did not end within 90 s")


class Keys:
    """The drill played by real keys, blind: Wine's log of what the window
    raised is what is read."""

    def __init__(self, check):
        self.check = check
        self.state = drill.State()

    def go(self, stop):
        if self.state.way(stop):
            self.check.keys(*self.state.way(stop))

    def choose(self, setting, value):
        if setting in (drill.OPERATION, names.PROBLEM_TYPE):
            self.check.keys(*self.state.arrows(setting, value))
        else:
            self.check.keys("ctrl+a")
            self.check.type(value)

    def begin(self):
        self.check.keys("space")

    def answer(self, text):
        if text is not None:
            self.check.keys("ctrl+a")
            self.check.type(text)
        self.check.keys("Return")

    def wait(self):
        pass

    def close(self):
        self.check.keys("Escape")


class Seen(Keys):
    """The drill as the window shows it: the suns, pixel for pixel, and the
    counts, each figure compared with the same figure shown before."""

    def __init__(self, check):
        super().__init__(check)
        self.happy = Image.open(os.path.join(ASSETS, "happy_sun.png")).convert("RGB")
        self.sad = Image.open(os.path.join(ASSETS, "sad_sun.png")).convert("RGB")
        self.start = check.shot("start")
        expect(self.start.size == CLIENT,
               "the window \"Skorvex!\" opens with a client area of %d x %d" % CLIENT)
        self.figures = Figures(crop(self.start, "cor"))
        self.answers = 0

    def answer(self, text):
        self.answers += 1
        if self.answers != 2:
            return super().answer(text)
        # Return from the selected option button judges too; back to the box.
        self.check.keys("ctrl+a")
        self.check.type(text)
        self.check.keys("Tab", "Tab", "Return")

    def counts(self, shot):
        """Whether both counts show the figures they should."""
        return (self.figures.shows(self.state.right, crop(shot, "cor"))
                and self.figures.shows(self.state.wrong, crop(shot, "incor")))

    def hear(self, step):
        s = self.state
        if step.news == drill.SHOWN:
            running = self.check.shot("run-started")
            expect(not same(crop(running, "ans"), crop(self.start, "ans"))
                   and not same(crop(running, "do_math"), crop(self.start, "do_math")),
                   "Begin! had the focus: Space started a run, the answer box and GO! enabled")
            self.running = running
        elif step.news == drill.VERDICT:
            happy = step.sentence.startswith("Right")
            shot = self.check.shot("right" if happy else "wrong")
            how = ", sent by Return on the option button" if self.answers == 2 else ""
            expect(same(crop(shot, "sun"), self.happy if happy else self.sad),
                   "%s%s: the %s sun" % (step.sentence, how, "happy" if happy else "sad"))
            expect(self.counts(shot), "%d right and %d wrong, as the counts show" % (
                s.right, s.wrong))
            if self.answers == 2:
                self.check.keys("shift+Tab", "shift+Tab")
        elif step.news == drill.TIME_UP:
            wait_for_time_up(self.check, self.running)
            ended = self.check.shot("time-up")
            expect(not same(crop(ended, "do_math"), crop(self.running, "do_math")),
                   "time up: Begin! enabled again, GO! no longer as in the run")
            expect(self.counts(ended), "the counts kept: %d right, %d wrong" % (s.right, s.wrong))
        else:
            self.check.shot(step.news.replace("_", "-"))


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    exe, prefix, screens = (os.path.abspath(arg) for arg in sys.argv[1:])
    os.makedirs(screens, exist_ok=True)
    check = Check(exe, prefix, screens)

    def steps():
        check.up()
        drill.play(Seen(check))
    return run_steps(steps, check.down, "passed: the window under Wine, played by real keys")


if __name__ == "__main__":
    sys.exit(main())
