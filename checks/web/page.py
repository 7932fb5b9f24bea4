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
import shutil
import sys
import tempfile
import time

from PIL import Image

from checks import ASSETS, drill, names
from checks.harness import Failed, Harness, expect, run_steps
from checks.pictures import same
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


def play(page):
    happy = Image.open(os.path.join(ASSETS, "happy_sun.png")).convert("RGB")
    sad = Image.open(os.path.join(ASSETS, "sad_sun.png")).convert("RGB")

    start = page.shot("start")
    expect(start.size == CLIENT, "the window is drawn at %d x %d CSS pixels" % CLIENT)
    expect(page.wait_focused(("button", names.BEGIN)), "Begin! has the focus in the tree")
    tree = [(role, name) for role, name, _ in page.tree()]
    for control in FOCUSABLE:
        if control not in tree:
            raise Failed("no %s named %r in the accessibility tree" % control)
    print("  every control that takes the focus has its role and name in the tree")
    expect(page.browser.evaluate("document.title") == names.TITLE, "the page is titled Skorvex!")

    # Tables-ez in Addition from 1: Tab to the operations, Tab to the problem
    # type, Down, back to Begin! and Space.
    page.key("Tab")
    expect(page.wait_focused(("radio", names.OPERATIONS[0])), "Tab: the focus on Addition")
    page.key("Tab")
    page.key("ArrowDown")
    page.browser.wait_for("document.querySelector('#qt-shadow-container').shadowRoot"
                          ".querySelector('[data-control=typeprob]').value === 'Tables-ez'",
                          "Tables-ez in the problem type")
    expect(page.wait_focused(("combobox", names.PROBLEM_TYPE)),
           "Tab and Down: Tables-ez in the problem type, as its value in the tree")
    combo_list(page)
    page.move_to(("button", names.BEGIN), backwards=True)
    page.key(" ")
    expect(page.wait_focused(("textbox", "1 plus 1, your answer")),
           "Space on Begin!: the focus in the answer box, named with the problem")
    page.type("2")
    page.key("Enter")
    page.expect_said("polite", drill.right("1 plus 2"), "a right answer")
    right = page.shot("right-answer")
    expect(same(crop(right, "sun"), happy), "the happy sun, pixel for pixel")
    expect(not same(crop(right, "cor"), crop(start, "cor"))
           and same(crop(right, "incor"), crop(start, "incor")),
           "the right count changed from 0 and the wrong count did not")
    page.type("4")
    page.key("Enter")
    page.expect_said("polite", drill.wrong("1 plus 3"), "a wrong answer")
    wrong = page.shot("wrong-answer")
    expect(same(crop(wrong, "sun"), sad), "the sad sun, pixel for pixel")
    expect(same(crop(wrong, "incor"), crop(right, "cor")),
           "one right and one wrong: both counts show the same figure")
    reads_the_window(page, "Wrong", ("1", "+", "3"), ("1", "1"))
    focus_stays_outside(page)
    page.type("x")
    page.key("Enter")
    page.expect_said("polite", drill.NOT_A_NUMBER, "a text that is no number")
    first = page.browser.evaluate("document.getElementById('skorvex-polite').textContent")
    page.key("Enter")
    page.browser.wait_for("document.getElementById('skorvex-polite').textContent !== %r"
                          % first, "the hint again")
    expect(page.said("polite") == drill.NOT_A_NUMBER,
           "the same text again: the same hint, written anew so that it is said again")
    page.key("Backspace")

    # The countdown, fast-forwarded.
    budget(page, drill.TEN_SECONDS)
    page.expect_said("assertive", drill.TEN_SECONDS, "the last ten seconds")
    budget(page, drill.time_up(1, 1))
    page.expect_said("assertive", drill.time_up(1, 1), "time up")
    page.shot("time-up")

    # Division, and a time outside the list: time is up on the first tick.
    page.move_to(("radio", names.OPERATIONS[0]))
    page.key("ArrowDown")
    page.key("ArrowDown")
    page.key("ArrowDown")
    expect(page.wait_focused(("radio", names.OPERATIONS[3])),
           "Division chosen by the arrows (the focus on %s %r)" % page.focused())
    page.move_to(("combobox", names.TIME_LIMIT))
    for _ in range(8):
        page.key("Backspace")
    page.type("short")
    page.move_to(("button", names.BEGIN), backwards=True)
    page.key("Enter")
    page.expect_said("polite",
                     drill.division_notice("1 divided by 1"),
                     "the Division notice with the problem")
    budget(page, drill.time_up(0, 0))
    page.shot("division")

    # A starting table that is no number: the error report.
    page.move_to(("combobox", names.TABLE_START))
    page.key("Backspace")
    page.type("five")
    page.move_to(("button", names.BEGIN), backwards=True)
    page.key(" ")
    page.expect_said("assertive", drill.report("Type mismatch", "five"),
                     "the error report")
    page.shot("error")


def combo_list(page):
    """Alt+Down opens the problem type's list: a list box of its choices in
    the tree, the one the learner is on selected; Escape closes it."""
    page.key("ArrowDown", ALT)
    page.browser.wait_for("document.querySelector('#qt-shadow-container').shadowRoot"
                          ".querySelector('#skorvex-list-typeprob').hidden === false",
                          "the list to open")
    page.key("ArrowDown")
    found = [(role, name, properties.get("selected")) for role, name, properties in page.tree()
             if role in ("listbox", "option")]
    expect(found == [("listbox", "Problem type", None), ("option", "Random", False),
                     ("option", "Tables-ez", False), ("option", "Tables-Random", True)],
           "Alt+Down and Down: the list box of the problem types, on Tables-Random")
    page.key("Escape")
    page.browser.wait_for("document.querySelector('#qt-shadow-container').shadowRoot"
                          ".querySelector('#skorvex-list-typeprob').hidden === true",
                          "the list to close")
    expect(page.browser.evaluate("document.querySelector('#qt-shadow-container').shadowRoot"
                                 ".querySelector('[data-control=typeprob]').value")
           == "Tables-ez", "Escape closes the list and keeps Tables-ez")


def reads_the_window(page, sun, problem, counts):
    """Everything a reader finds in the window, in reading order, with the
    text it shows now: the frame and its captions, the sun that shows, the
    problem, the counts and their captions, the time left; in the tree, none
    of it a Tab stop, and nothing the window hides."""
    layer = ("document.querySelector('#qt-shadow-container').shadowRoot"
             ".querySelector('.skorvex-controls')")
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


def focus_stays_outside(page):
    """A reader who goes on to the page's own text keeps the focus there
    through the ticks, and comes back by Shift+Tab to the answer box."""
    left = ("Number(document.querySelector('#qt-shadow-container').shadowRoot"
            ".querySelector('[data-control=timeleft]').textContent)")
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
    expect(page.wait_focused(("textbox", "1 plus 3, your answer")),
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


def budget(page, words, most=70):
    """Lets the page's clock run a virtual second at a time until the live
    regions say the words."""
    for _ in range(most):
        if words in (page.said("polite"), page.said("assertive")):
            return
        page.browser.send("Emulation.setVirtualTimePolicy", policy="advance", budget=1000)
        deadline = time.monotonic() + 10
        while not page.browser.drain("Emulation.virtualTimeBudgetExpired"):
            if time.monotonic() > deadline:
                break
            time.sleep(0.02)
    page.browser.send("Emulation.setVirtualTimePolicy", policy="advance")
    if words not in (page.said("polite"), page.said("assertive")):
        raise Failed("the countdown never brought %r" % words)


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
    expect(page.browser.evaluate("document.querySelector('#qt-shadow-container').shadowRoot"
                                 ".querySelector('.skorvex-controls') === null")
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
