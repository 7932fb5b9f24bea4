# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The page played in Debian's headless Chromium by real key events only, as
its DevTools protocol sends them.

Usage: python3 -m checks.web.page WEB_DIR SCREENSHOT_DIR AXE_JS

The page is served on localhost as a server with its precompressed files
serves it (a file's .br or .gz where the browser asks), and the program must
have gone out once, compressed, on the first visit. The check reads the window at start (its
size, the focus on "Begin!", every focusable control's role and name in the
browser's accessibility tree), plays a Tables-ez run of Addition from 1 with a
right answer, a wrong one and a text that is no number, comparing the suns
pixel for pixel and the counts by their pixels, fast-forwards the countdown
to its last ten seconds and to time up, starts a run of Division tables and
one from a starting table that is no number, and reads the live regions after
each step; axe-core audits the page first. Last, in the same profile with
the server stopped, the page opens again from what its service worker kept,
at twice the density with the sun drawn from its sharper picture, and "exit"
ends the program, which the page then says. Screenshots go to SCREENSHOT_DIR.
"""

import base64
import io
import os
import re
import shutil
import sys
import tempfile
import time

from PIL import Image

from checks import ASSETS, drill, names
from checks.harness import Failed, Harness, expect, run_steps
from checks.pictures import Figures, same
from checks.web.devtools import Chromium, Server

CLIENT = (443, 350)
# Boxes in the window, in CSS pixels at 100 % zoom: left, top, width, height.
BOXES = {"sun": (144, 24, 72, 72), "cor": (296, 288, 25, 17), "incor": (296, 312, 25, 17)}
# Each control that takes the focus, as the accessibility tree must name it.
ROLES = {"button": "button", "text": "textbox", "radio": "radio", "combo": "combobox"}
FOCUSABLE = [(ROLES[kind], name) for kind, name in names.FOCUSABLE]
# Keys as DevTools sends them: key, code and the virtual key code Qt reads.
KEYS = {
    "Tab": ("Tab", "Tab", 9), "Enter": ("Enter", "Enter", 13), " ": (" ", "Space", 32),
    "ArrowDown": ("ArrowDown", "ArrowDown", 40), "ArrowUp": ("ArrowUp", "ArrowUp", 38),
    "Backspace": ("Backspace", "Backspace", 8), "Escape": ("Escape", "Escape", 27),
}
SHIFT = 8
# The window's elements, in the page's shadow root.
ROOT = "document.querySelector('#qt-shadow-container').shadowRoot"
# Each text a live region is given, as [region, sentence]: the same
# sentence again is given anew (its no-break space comes and goes).
WRITTEN = """window.skorvexWritten = [];
for (const region of ['polite', 'assertive']) {
    const element = document.getElementById('skorvex-' + region);
    let last = element.textContent;
    new MutationObserver(() => {
        const now = element.textContent;
        if (now && now !== last)
            window.skorvexWritten.push([region, now.trim()]);
        last = now;
    }).observe(element, {childList: true, characterData: true, subtree: true});
}
0"""
SIGNS = {"plus": "+"}  # as the window draws a sign; the drill reads it in Addition
ALT = 1


class Page:
    def __init__(self, browser, url, screens):
        self.browser = browser
        self.url = url
        self.screens = screens
        self.shots = 0

    def open(self):
        self.browser.send("Page.navigate", url=self.url)
        self.browser.wait_for(
            "document.querySelector('#qt-shadow-container')?.shadowRoot"
            "?.querySelector('.skorvex-controls [role=button]') != null",
            "the window to be drawn", seconds=60)
        time.sleep(0.5)

    def key(self, name, modifiers=0):
        key, code, number = KEYS.get(name) or (name, "Key" + name.upper() if name.isalpha()
                                                else "Digit" + name, ord(name.upper()))
        text = name if len(name) == 1 else ("\r" if name == "Enter" else "")
        for kind in ("keyDown" if text else "rawKeyDown", "keyUp"):
            self.browser.send("Input.dispatchKeyEvent", type=kind, key=key, code=code,
                              windowsVirtualKeyCode=number, nativeVirtualKeyCode=number,
                              modifiers=modifiers, **({"text": text} if kind == "keyDown" else {}))
        self.settle()

    def settle(self):
        """A moment for the page to handle what came (where the page's clock
        is virtual, a task of the page's own would wait for it)."""
        time.sleep(0.05)

    def wait_focused(self, control, seconds=5):
        """Whether the control comes to have the focus: the page's elements
        follow the window in a task of their own, after it has drawn."""
        deadline = time.monotonic() + seconds
        while self.focused() != control:
            if time.monotonic() > deadline:
                return False
            time.sleep(0.05)
        return True

    def type(self, text):
        for character in text:
            self.key(character)

    def move_to(self, control, backwards=False):
        """Tab (or Shift+Tab) until the control has the focus, at most once round."""
        for _ in range(13):
            before = self.focused()
            if before == control:
                print("  %s to %s %r" % ("Shift+Tab" if backwards else "Tab", *control))
                return
            self.key("Tab", SHIFT if backwards else 0)
            deadline = time.monotonic() + 2
            while self.focused() == before and time.monotonic() < deadline:
                time.sleep(0.05)
        raise Failed("%s never reached %r; the focus is on %r" % (
            "Shift+Tab" if backwards else "Tab", control, self.focused()))

    def shot(self, what):
        self.shots += 1
        rect = self.browser.evaluate(
            "(() => { const r = document.getElementById('screen').getBoundingClientRect();"
            " return [r.x, r.y, r.width, r.height]; })()")
        time.sleep(0.3)
        png = self.browser.send("Page.captureScreenshot", format="png", clip={
            "x": rect[0], "y": rect[1], "width": rect[2], "height": rect[3], "scale": 1})["data"]
        path = os.path.join(self.screens, "%02d-%s.png" % (self.shots, what))
        with open(path, "wb") as out:
            out.write(base64.b64decode(png))
        print("  screenshot %s" % os.path.basename(path))
        return Image.open(path).convert("RGB")

    # A sentence said again ends in a no-break space, which trim() takes off.
    def said(self, region):
        return self.browser.evaluate(
            "document.getElementById('skorvex-%s').textContent.trim()" % region)

    def expect_said(self, region, words, what):
        self.browser.wait_for("document.getElementById('skorvex-%s').textContent.trim() === %r"
                              % (region, words), what)
        print("  live region (%s): %s" % (region, words))

    def tree(self):
        """Every node of the accessibility tree with a role: (role, name, properties)."""
        nodes = self.browser.send("Accessibility.getFullAXTree")["nodes"]
        found = []
        for node in nodes:
            if node.get("ignored"):
                continue
            role = node.get("role", {}).get("value", "")
            name = node.get("name", {}).get("value", "")
            properties = {p["name"]: p["value"].get("value") for p in node.get("properties", [])}
            found.append((role, name, properties))
        return found

    def focused(self):
        """The control with the focus (the page itself has it too)."""
        for role, name, properties in self.tree():
            if properties.get("focused") and role != "RootWebArea":
                return role, name
        return None


def crop(image, name):
    left, top, width, height = BOXES[name]
    return image.crop((left, top, left + width, top + height))


class Keys:
    """The drill played by DevTools' key events; what the page says is read
    from its live regions, a sentence as new text in its region (the same
    sentence again is written anew), and the countdown is fast-forwarded."""

    def __init__(self, page):
        self.page = page
        self.state = drill.State()
        self.box = ""  # what the answer box holds
        # Every sentence the live regions get, in order, kept as it comes:
        # the clock may bring one and the next while a step is still read.
        page.browser.evaluate(WRITTEN)
        self.heard = 0
        self.happy = Image.open(os.path.join(ASSETS, "happy_sun.png")).convert("RGB")
        self.sad = Image.open(os.path.join(ASSETS, "sad_sun.png")).convert("RGB")
        self.start = page.shot("start")
        self.figures = Figures(crop(self.start, "cor"))

    def control(self, stop):
        if stop == drill.OPERATION:
            return "radio", self.state.settings[drill.OPERATION]
        return ("combobox" if stop in names.SETTINGS else "button"), stop

    def go(self, stop):
        way = self.state.way(stop)
        if way:
            self.page.move_to(self.control(stop), backwards=way[0] == "shift+Tab")

    def choose(self, setting, value):
        page = self.page
        if setting == drill.OPERATION:
            for key in self.state.arrows(setting, value):
                page.key("Arrow" + key)
            expect(page.wait_focused(("radio", value)),
                   "%s chosen by the arrows (the focus on %s %r)" % ((value,) + page.focused()))
        elif setting == names.PROBLEM_TYPE:
            for key in self.state.arrows(setting, value):
                page.key("Arrow" + key)
            page.browser.wait_for("%s.querySelector('[data-control=typeprob]').value === %r"
                                  % (ROOT, value), value + " in the problem type")
            expect(page.wait_focused(("combobox", names.PROBLEM_TYPE)),
                   "Down: %s in the problem type, as its value in the tree" % value)
            combo_list(page, value)
        else:
            for _ in self.state.settings[setting]:
                page.key("Backspace")
            page.type(value)

    def begin(self):
        self.page.key(" ")

    def answer(self, text):
        if text is not None:
            for _ in self.box:
                self.page.key("Backspace")
            self.page.type(text)
            self.box = text
        self.page.key("Enter")

    def wait(self):
        pass

    def close(self):
        self.page.key("Escape")

    def hear(self, step):
        page, s = self.page, self.state
        if step.news == drill.SHOWN:
            expect(page.wait_focused(("textbox", "%s, your answer" % step.sentence)),
                   "Space on Begin!: the focus in the answer box, named with the problem")
            return
        region = "assertive" if step.news in drill.URGENT else "polite"
        more = "window.skorvexWritten.length > %d" % self.heard
        if step.news in (drill.TEN_LEFT, drill.TIME_UP):
            budget(page, more, step.sentence)
        else:
            page.browser.wait_for(more, step.news.replace("_", " "))
        got = page.browser.evaluate("window.skorvexWritten[%d]" % self.heard)
        self.heard += 1
        if got != [region, step.sentence]:
            raise Failed("%s: wanted %r in the %s region, got %r" % (
                step.news.replace("_", " "), step.sentence, region, got))
        print("  live region (%s): %s" % (region, step.sentence))
        if step.news != drill.VERDICT:
            if step.news in (drill.TIME_UP, drill.NOTICE, drill.ERROR):
                page.shot(step.news.replace("_", "-"))
            return
        self.box = ""
        happy = step.sentence.startswith("Right")
        shot = page.shot("right-answer" if happy else "wrong-answer")
        expect(same(crop(shot, "sun"), self.happy if happy else self.sad),
               "the %s sun, pixel for pixel" % ("happy" if happy else "sad"))
        expect(self.figures.shows(s.right, crop(shot, "cor"))
               and self.figures.shows(s.wrong, crop(shot, "incor")),
               "%d right and %d wrong, as the counts show" % (s.right, s.wrong))
        if not happy:
            problem = step.sentence.split(": ", 1)[1].rstrip(".")
            top, sign, bottom = re.fullmatch(drill.PROBLEM, problem).groups()
            reads_the_window(page, "Wrong", (top, SIGNS[sign], bottom),
                             (str(s.right), str(s.wrong)))
            focus_stays_outside(page, problem)


def play(page):
    keys = Keys(page)
    expect(keys.start.size == CLIENT, "the window is drawn at %d x %d CSS pixels" % CLIENT)
    expect(page.wait_focused(("button", names.BEGIN)), "Begin! has the focus in the tree")
    tree = [(role, name) for role, name, _ in page.tree()]
    for control in FOCUSABLE:
        if control not in tree:
            raise Failed("no %s named %r in the accessibility tree" % control)
    print("  every control that takes the focus has its role and name in the tree")
    expect(page.browser.evaluate("document.title") == names.TITLE, "the page is titled Skorvex!")
    drill.play(keys)


def combo_list(page, value):
    """Alt+Down opens the problem type's list: a list box of its choices in
    the tree, the one the learner is on selected; Escape closes it."""
    page.key("ArrowDown", ALT)
    page.browser.wait_for("%s.querySelector('#skorvex-list-typeprob').hidden === false" % ROOT,
                          "the list to open")
    page.key("ArrowDown")
    on = names.PROBLEM_TYPES[names.PROBLEM_TYPES.index(value) + 1]
    found = [(role, name, properties.get("selected")) for role, name, properties in page.tree()
             if role in ("listbox", "option")]
    expect(found == [("listbox", names.PROBLEM_TYPE, None)]
           + [("option", name, name == on) for name in names.PROBLEM_TYPES],
           "Alt+Down and Down: the list box of the problem types, on " + on)
    page.key("Escape")
    page.browser.wait_for("%s.querySelector('#skorvex-list-typeprob').hidden === true" % ROOT,
                          "the list to close")
    expect(page.browser.evaluate("%s.querySelector('[data-control=typeprob]').value" % ROOT)
           == value, "Escape closes the list and keeps " + value)


def reads_the_window(page, sun, problem, counts):
    """Everything a reader finds in the window, in reading order, with the
    text it shows now: the frame and its captions, the sun that shows, the
    problem, the counts and their captions, the time left; in the tree, none
    of it a Tab stop, and nothing the window hides."""
    layer = ROOT + ".querySelector('.skorvex-controls')"
    reading = page.browser.evaluate(
        "[...%s.querySelectorAll('*')].filter(e => !e.closest('[hidden]'))"
        ".map(e => e.getAttribute('aria-label') || (e.children.length ? '' : e.textContent))"
        ".filter(n => n)" % layer)
    order = [names.SELECT_TYPE, names.OPERATIONS[0], names.OPTIONS, names.PROBLEM_TYPE,
             names.TABLE_START, names.TIME_LIMIT, names.LEVEL, sun, *problem, names.GO,
             names.BEGIN, names.EXIT, names.CORRECT, counts[0], names.INCORRECT, counts[1]]
    at = 0
    for name in order:
        if name not in reading[at:]:
            raise Failed("%r does not come after %r in the page; it reads: %r" % (
                name, reading[at - 1] if at else "the start", reading))
        at += reading[at:].index(name) + 1
    print("  in reading order: %s" % " | ".join(reading))
    tree = [(role, name) for role, name, _ in page.tree()]
    # The time left may tick between the two readings: it is left out here.
    for name in set(order) | {"Table ", "Start #"} - {"Table Start #"}:
        if not any(n == name for _, n in tree):
            raise Failed("%r is not in the accessibility tree" % name)
    expect(("image", sun) in tree and ("image", "Right!" if sun == "Wrong" else "Wrong")
           not in tree, "every text is in the tree; the sun that shows is an image named %r, "
           "the other is not there" % sun)
    shown = page.browser.evaluate(
        "(r => [r.querySelectorAll('[tabindex=\"0\"]').length,"
        " r.querySelector('[data-control=nodiv]').hidden,"
        " ['anst', 'tt', 'cmb_tstr'].some(n => r.querySelector('[data-control=' + n + ']'))])"
        "(%s)" % layer)
    expect(shown == [1, True, False], "one Tab stop into the drill, the control with Qt's focus; "
           "the notice and the hidden labels are not in the page")


def focus_stays_outside(page, problem):
    """A reader who goes on to the page's own text keeps the focus there
    through the ticks, and comes back by Shift+Tab to the answer box."""
    left = "Number(%s.querySelector('[data-control=timeleft]').textContent)" % ROOT
    page.browser.evaluate("document.querySelector('footer a').focus()")
    seen = [page.browser.evaluate(left)]
    deadline = time.monotonic() + 20
    while len(seen) < 3:
        if time.monotonic() > deadline:
            raise Failed("no two ticks came: %r" % seen)
        now = page.browser.evaluate(left)
        if now != seen[-1]:
            seen.append(now)
        time.sleep(0.05)
    expect(page.browser.evaluate("document.activeElement.tagName") == "A",
           "the footer's link keeps the focus through two ticks (%s seconds left)"
           % " to ".join(map(str, seen)))
    page.key("Tab", SHIFT)
    page.browser.wait_for("document.activeElement.id === 'qt-shadow-container'", "Shift+Tab")
    expect(page.wait_focused(("textbox", problem + ", your answer")),
           "Shift+Tab from the footer: the focus back in the answer box")


def tap(page, x, y):
    for kind in ("touchStart", "touchEnd"):
        page.browser.send("Input.dispatchTouchEvent", type=kind,
                          touchPoints=[{"x": x, "y": y}] if kind == "touchStart" else [])
    page.settle()


def by_touch(page):
    """A touch screen's taps and its keyboard's text: Begin!, the answer
    box, 12 as the keyboard enters it, GO!."""
    page.browser.send("Emulation.setTouchEmulationEnabled", enabled=True, maxTouchPoints=1)
    page.open()
    left, top = page.browser.evaluate(
        "(() => { const r = document.getElementById('screen').getBoundingClientRect();"
        " return [r.x, r.y]; })()")
    start = page.shot("touch-start")
    tap(page, left + 48, top + 312)
    tap(page, left + 312, top + 232)
    expect(page.wait_focused(("textbox", "6 plus 6, your answer")),
           "tapping Begin! and the answer box: the focus in the answer box")
    page.browser.send("Input.insertText", text="12")
    tap(page, left + 412, top + 224)
    page.expect_said("polite", drill.right("4 plus 4"), "a right answer, by touch")
    right = page.shot("touch-right-answer")
    happy = Image.open(os.path.join(ASSETS, "happy_sun.png")).convert("RGB")
    expect(same(crop(right, "sun"), happy) and not same(crop(right, "cor"), crop(start, "cor"))
           and same(crop(right, "incor"), crop(start, "incor")),
           "the happy sun and one right, as with keys")
    page.browser.send("Emulation.setTouchEmulationEnabled", enabled=False)


def budget(page, written, words, most=70):
    """Lets the page's clock run a virtual second at a time until the script
    written holds: the live regions have said the words."""
    for _ in range(most):
        if page.browser.evaluate(written):
            break
        page.browser.send("Emulation.setVirtualTimePolicy", policy="advance", budget=1000)
        deadline = time.monotonic() + 10
        while not page.browser.drain("Emulation.virtualTimeBudgetExpired"):
            if time.monotonic() > deadline:
                break
            time.sleep(0.02)
    page.browser.send("Emulation.setVirtualTimePolicy", policy="advance")
    if not page.browser.evaluate(written):
        raise Failed("the countdown never brought %r; the live regions say %r and %r" % (
            words, page.said("polite"), page.said("assertive")))


def audit(page, axe):
    page.browser.evaluate(open(axe, encoding="utf-8").read() + ";0", seconds=60)
    results = page.browser.evaluate(
        "axe.run(document).then(r => r.violations.map(v => [v.id, v.impact, v.nodes.length]))",
        seconds=60)
    for rule, impact, count in results:
        print("  axe-core: %s (%s) on %d nodes" % (rule, impact, count))
    bad = [r for r in results if r[1] in ("serious", "critical")]
    if bad:
        raise Failed("axe-core finds serious or critical violations: %r" % bad)
    print("  axe-core: no serious or critical violation")


def kept_for_offline(page):
    """Waits until the service worker has kept every file of the page."""
    page.browser.wait_for(
        "navigator.serviceWorker.ready.then(() => caches.keys())"
        ".then(names => names.length ? caches.open(names[0]).then(c => c.keys()) : [])"
        ".then(kept => kept.length > 10)", "the service worker to keep the page", seconds=60)
    count = page.browser.evaluate(
        "caches.keys().then(n => caches.open(n[0])).then(c => c.keys()).then(k => k.length)")
    print("  the service worker keeps the page's %d files" % count)


def served_once_and_packed(server):
    """The first visit as a server with the precompressed files serves it:
    the program went out compressed, once; the service worker's own fetches
    of it were answered by headers alone."""
    wasm = [(encoding, status) for path, encoding, status in server.sent
            if path == "/skorvex.wasm"]
    whole = [encoding for encoding, status in wasm if status == 200]
    expect(len(whole) == 1 and whole[0] in ("br", "gzip"),
           "the program was sent once, as its .br or .gz (%r)" % wasm)
    expect(all(status == 304 for _, status in wasm[1:]),
           "the service worker only checked that its copy is current (%r)" % wasm)


def crisp_at_double_density(page):
    """The page on a screen of twice the density (or zoomed to 200 %): the
    sun is drawn from its picture for such screens, pixel for pixel."""
    page.browser.send("Emulation.setDeviceMetricsOverride", width=800, height=600,
                      deviceScaleFactor=2, mobile=False)
    page.open()
    page.key(" ")
    page.type("12")
    page.key("Enter")
    page.expect_said("polite", drill.right("4 plus 4"), "a right answer, at 2x")
    left, top, width, height = BOXES["sun"]
    rect = page.browser.evaluate(
        "(() => { const r = document.getElementById('screen').getBoundingClientRect();"
        " return [r.x, r.y]; })()")
    time.sleep(0.3)
    png = page.browser.send("Page.captureScreenshot", format="png", clip={
        "x": rect[0] + left, "y": rect[1] + top, "width": width, "height": height,
        "scale": 1})["data"]
    sun = Image.open(io.BytesIO(base64.b64decode(png))).convert("RGB")
    sharp = Image.open(os.path.join(ASSETS, "happy_sun@2x.png")).convert("RGB")
    expect(sun.size == (144, 144) and same(sun, sharp),
           "at twice the density the sun is its 144-pixel picture, pixel for pixel")
    page.browser.send("Emulation.clearDeviceMetricsOverride")


def offline_and_exit(page):
    """The page again, in the same profile, with the server stopped."""
    page.open()
    print("  with the server stopped, the page opens again from what it kept")
    page.move_to(("button", names.EXIT), backwards=True)
    page.key(" ")
    page.browser.wait_for("document.getElementById('status').textContent.startsWith("
                          "'Skorvex has ended') && !document.getElementById('status').hidden"
                          " && document.getElementById('screen').hidden",
                          "the page to say the program ended")
    print("  exit: " + page.browser.evaluate("document.getElementById('status').textContent"))
    expect(page.browser.evaluate(ROOT + ".querySelector('.skorvex-controls') === null")
           and not any(role in ("button", "textbox", "combobox", "radio")
                       for role, _, _ in page.tree()),
           "the window's elements have left the page and its tree")


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    folder, screens, axe = (os.path.abspath(arg) for arg in sys.argv[1:])
    os.makedirs(screens, exist_ok=True)
    harness = Harness()
    server = Server(folder)
    profile = tempfile.mkdtemp(prefix="skorvex-chromium-")

    def browser():
        chromium = Chromium(harness, profile=profile)
        for domain in ("Page", "Runtime", "Accessibility"):
            chromium.send(domain + ".enable")
        return chromium

    def steps():
        first = browser()
        print("Chromium: %s" % first.evaluate("navigator.userAgent"))
        page = Page(first, server.url, screens)
        page.open()
        kept_for_offline(page)
        served_once_and_packed(server)
        audit(page, axe)
        play(page)
        harness.down()
        server.stop()
        # The first Chromium's lock on the profile, now that it has ended.
        for lock in ("SingletonLock", "SingletonSocket", "SingletonCookie"):
            if os.path.lexists(os.path.join(profile, lock)):
                os.remove(os.path.join(profile, lock))
        again = Page(browser(), server.url, screens)
        by_touch(again)
        crisp_at_double_density(again)
        offline_and_exit(again)
    def down():
        harness.down()
        shutil.rmtree(profile, ignore_errors=True)

    return run_steps(steps, down, "passed: the page in Chromium, played by keys "
                     "and read by its accessibility tree")

if __name__ == "__main__":
    sys.exit(main())
