# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The Windows program's real window under Wine, played by real X keys.

Usage: python3 -m checks.windows.window SKORVEX_EXE WINEPREFIX SCREENSHOT_DIR

On a private Xvfb display, with Qt's windows platform and its windowsvista
style, the check reads from screenshots of the window: its client size; the
focus on "Begin!" at start, as Space starts a run; that run's end when its
minute is up; then, in a keyboard-only run of Tables-ez in Addition from 1,
so that the answers are known, a right answer sent by Return with the happy
sun, a wrong one with the sad sun, and Return from the selected option
button. The suns are compared with the pictures the program carries, pixel
for pixel; a count is read by comparing its label with the other count's
label and with itself before the run. The screenshots are kept in
SCREENSHOT_DIR.
"""

import os
import subprocess
import sys
import time

from PIL import Image

from checks import ASSETS, names
from checks.harness import Failed, Harness, expect, run_steps
from checks.pictures import same

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


def wait_for_time_up(check, start):
    """Screenshots every two seconds until the answer box is disabled again, as at start."""
    path = os.path.join(check.screens, "waiting.png")
    deadline = time.monotonic() + 90
    while True:
        time.sleep(2)
        check.run("import", "-window", check.window, path)
        if same(crop(Image.open(path).convert("RGB"), "ans"), crop(start, "ans")):
            os.remove(path)
            return
        if time.monotonic() > deadline:
            raise Failed("the run did not end within 90 s")


def play(check):
    happy = Image.open(os.path.join(ASSETS, "happy_sun.png")).convert("RGB")
    sad = Image.open(os.path.join(ASSETS, "sad_sun.png")).convert("RGB")

    start = check.shot("start")
    expect(start.size == CLIENT, "the window \"Skorvex!\" opens with a client area of %d x %d"
           % CLIENT)
    check.keys("space")
    running = check.shot("random-run-started")
    expect(not same(crop(running, "ans"), crop(start, "ans"))
           and not same(crop(running, "do_math"), crop(start, "do_math")),
           "Begin! had the focus: Space started a run, the answer box and GO! are enabled")
    # The first run of "1 minute" ends on its sixtieth tick.
    wait_for_time_up(check, start)
    ended = check.shot("time-up")
    expect(same(crop(ended, "ans"), crop(start, "ans"))
           and not same(crop(ended, "do_math"), crop(running, "do_math"))
           and not same(crop(ended, "begin"), crop(running, "begin")),
           "time up: the answer box disabled as at start, GO! no longer as in the run, "
           "Begin! enabled again")

    # Time up left the focus on the operation. Tables-ez, and Begin! again.
    check.keys("Tab", "Down", "shift+Tab", "shift+Tab", "space")
    check.type("2")
    check.keys("Return")  # 1 + 1
    right = check.shot("tables-ez-right-answer")
    expect(same(crop(right, "sun"), happy), "2 for 1 + 1, sent by Return: the happy sun")
    expect(not same(crop(right, "cor"), crop(start, "cor"))
           and same(crop(right, "incor"), crop(start, "incor")),
           "the right count changed from 0 and the wrong count did not")

    check.type("4")
    check.keys("Return")  # 1 + 2
    wrong = check.shot("wrong-answer")
    expect(same(crop(wrong, "sun"), sad), "4 for 1 + 2: the sad sun")
    expect(same(crop(wrong, "incor"), crop(right, "cor"))
           and same(crop(wrong, "cor"), crop(right, "cor")),
           "one right and one wrong: both counts show the same figure")

    check.type("4")
    check.keys("Tab", "Tab", "Return")  # 1 + 3, from the selected option button
    option = check.shot("return-from-addition")
    expect(same(crop(option, "sun"), happy), "4 for 1 + 3, Return on Addition: the happy sun")
    expect(not same(crop(option, "cor"), crop(wrong, "cor"))
           and same(crop(option, "incor"), crop(wrong, "incor")),
           "the right count changed again and the wrong count did not")


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    exe, prefix, screens = (os.path.abspath(arg) for arg in sys.argv[1:])
    os.makedirs(screens, exist_ok=True)
    check = Check(exe, prefix, screens)

    def steps():
        check.up()
        play(check)
    return run_steps(steps, check.down, "passed: the window under Wine, played by real keys")


if __name__ == "__main__":
    sys.exit(main())
