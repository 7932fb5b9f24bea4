# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The page in the two other engines Debian has: Firefox ESR (Gecko) and
WebKitGTK (the engine family of Safari), each in a window of its own on a
private Xvfb display, played by real X keys.

Usage: python3 -m checks.web.engines WEB_DIR SCREENSHOT_DIR

Each must draw the window as Chromium drew it (the Chromium check's screenshot of the
window at start, 01-start.png in SCREENSHOT_DIR, compared pixel for pixel), and
then, as Space starts a Random run from "Begin!" and 12 with Return answers
its first problem (6 + 6), show the happy sun.
"""

import os
import subprocess
import sys
import textwrap
import time

from PIL import Image

from checks import ASSETS
from checks.harness import Failed, Harness
from checks.pictures import same
from checks.web.devtools import Server

SUN = (144, 24, 72, 72)

# Firefox with nothing of its own on the network and no first-run pages.
FIREFOX_PREFERENCES = """
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.aboutwelcome.enabled", false);
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
user_pref("app.update.disabledForTesting", true);
user_pref("app.normandy.enabled", false);
user_pref("browser.safebrowsing.malware.enabled", false);
user_pref("browser.safebrowsing.phishing.enabled", false);
user_pref("network.captive-portal-service.enabled", false);
user_pref("network.connectivity-service.enabled", false);
user_pref("extensions.update.enabled", false);
user_pref("browser.newtabpage.enabled", false);
"""

# A WebKitGTK view in a window of its own, at the page.
WEBKIT = textwrap.dedent("""\
    import sys
    import gi
    gi.require_version("Gtk", "3.0")
    gi.require_version("WebKit2", "4.1")
    from gi.repository import Gtk, WebKit2
    window = Gtk.Window(title="Skorvex in WebKitGTK")
    window.set_default_size(800, 600)
    view = WebKit2.WebView()
    window.add(view)
    window.connect("destroy", Gtk.main_quit)
    view.load_uri(sys.argv[1])
    window.show_all()
    Gtk.main()
    """)


def webkit_version(harness):
    return harness.run("/usr/bin/python3", "-c", "import gi; gi.require_version('WebKit2', '4.1');"
                       " from gi.repository import WebKit2; print('WebKitGTK %d.%d.%d' % ("
                       "WebKit2.get_major_version(), WebKit2.get_minor_version(),"
                       " WebKit2.get_micro_version()))").strip()


def find(shot, window):
    """Where the window stands in a screenshot of the screen, if it does."""
    probe = window.crop((0, 0, 40, 40))
    for top in range(0, shot.height - window.height + 1):
        for left in range(0, shot.width - window.width + 1):
            if shot.getpixel((left, top)) != window.getpixel((0, 0)):
                continue
            if same(shot.crop((left, top, left + 40, top + 40)), probe):
                return left, top
    return None


def play(harness, engine, title, screens, start):
    happy = Image.open(os.path.join(ASSETS, "happy_sun.png")).convert("RGB")
    shot_path = os.path.join(screens, "%s-%%s.png" % engine)

    def shot(what):
        harness.run("import", "-window", "root", shot_path % what)
        return Image.open(shot_path % what).convert("RGB")

    deadline = time.monotonic() + 60
    while True:
        time.sleep(1)
        screen = shot("start")
        at = find(screen, start)
        if at is not None:
            break
        if time.monotonic() > deadline:
            raise Failed("%s never drew the window as Chromium did" % engine)
    left, top = at
    drawn = screen.crop((left, top, left + start.width, top + start.height))
    if not same(drawn, start):
        raise Failed("%s drew the window otherwise than Chromium" % engine)
    print("  %s draws the window at (%d, %d), pixel for pixel as Chromium" % (engine, left, top))
    harness.find_window(title, whole=False)
    harness.keys("space")
    time.sleep(1)
    harness.type("12")
    harness.keys("Return")
    time.sleep(1.5)
    sun = shot("right-answer").crop((left + SUN[0], top + SUN[1], left + SUN[0] + SUN[2],
                                     top + SUN[1] + SUN[3]))
    if not same(sun, happy):
        raise Failed("%s: Space, 12 and Return did not bring the happy sun" % engine)
    print("  %s: Space on Begin!, 12 and Return: the happy sun" % engine)


def firefox(url, screens, start):
    harness = Harness()
    profile = harness.scratch("skorvex-firefox-")
    with open(os.path.join(profile, "user.js"), "w") as preferences:
        preferences.write(FIREFOX_PREFERENCES)
    try:
        harness.display("800x600")
        harness.start(["firefox-esr", "--kiosk", "--no-remote", "--new-instance", "--profile",
                       profile, url], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        version = harness.run("firefox-esr", "--version").strip()
        print("%s, in kiosk mode on Xvfb" % version)
        play(harness, "firefox", "Skorvex!", screens, start)
    finally:
        harness.down()


def webkit(url, screens, start):
    harness = Harness()
    try:
        harness.display("800x600")
        harness.start(["/usr/bin/python3", "-c", WEBKIT, url],
                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        print("%s, in a GTK window on Xvfb" % webkit_version(harness))
        play(harness, "webkitgtk", "Skorvex in WebKitGTK", screens, start)
    finally:
        harness.down()


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    folder, screens = (os.path.abspath(arg) for arg in sys.argv[1:])
    start = Image.open(os.path.join(screens, "01-start.png")).convert("RGB")
    server = Server(folder)
    failed = 0
    for engine in (firefox, webkit):
        try:
            engine(server.url, screens, start)
        except Failed as failure:
            print("FAILED: %s" % failure)
            failed = 1
    server.stop()
    if not failed:
        print("passed: Firefox ESR and WebKitGTK draw the window and play it by keys")
    return failed


if __name__ == "__main__":
    sys.exit(main())
