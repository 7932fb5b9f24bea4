# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Time to the first drawn window in headless Chromium: the drill's page
against the same page with a bare Qt window of a label and a button, built
with the same Qt, with no fonts and with Qt's own two, in one run, taking
turns.

Usage: python3 -m checks.web.startup WEB_DIR WASM_DIR [ROUNDS]

Both pages are served from one folder on localhost, each file as its .br
where the browser asks for it, as a server with the release's precompressed
files serves them. Each round has, for each page, a first visit (the
browser's caches emptied: the page fetched and compiled anew) and a repeat
visit 2.5 s later, once Chromium has had the 2 s without new optimised code
after which it keeps a program's compiled code; the repeat visit's program
must come from the browser's cache (at most headers came: a 304). The clock is the page's own
(performance.now(), from the start of the navigation) and stops at the first
animation frame at which Qt's canvas holds a drawn pixel. One warm-up round
first. Prints medians, min and max, and the page's sizes: raw, gzip -9 and
brotli -q 11.
"""

import gzip
import subprocess
import os
import shutil
import statistics
import sys
import time

from checks import TOP
from checks.harness import Harness
from checks.web.devtools import Chromium, Server

# Chromium keeps a program's compiled code once no new optimised code has
# come for 2 s.
CODE_CACHE_SECONDS = 2.5
# A response of no more than this many bytes brought no body: the program
# came from the browser's cache, at most checked with the server (304).
HEADERS_ONLY = 1024

# The moment of the first drawing, as the page itself sees it.
CLOCK = """<script>
(function watch() {
    const canvas = document.querySelector('#qt-shadow-container')
        ?.shadowRoot?.querySelector('canvas');
    if (canvas && canvas.width > 0) {
        const pixels = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
        for (let i = 3; i < pixels.length; i += 4)
            if (pixels[i] !== 0) { window.firstDrawing = performance.now(); return; }
    }
    requestAnimationFrame(watch);
})();
</script>
"""

BARE = """<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>Label and button</title></head>
<body><div id="screen" style="width: 443px; height: 350px"></div>
<script src="qtloader.js"></script><script src="%(program)s.js"></script>
<script>qtLoad({qt: {containerElements: [document.getElementById('screen')],
                     entryFunction: window.%(program)s_entry}});</script>
%(clock)s</body></html>
"""
# Each page, by its label, its file and its program. The Qt the page is built
# with embeds no fonts, so the bare window draws its text with none; the
# second baseline carries the two faces an unpatched Qt's page platform
# embeds and loads itself.
PAGES = [("label and button (baseline)", "bare.html", "label_button_window"),
         ("label and button, with Qt's own fonts", "bare-fonts.html",
          "label_button_qt_fonts_window"),
         ("skorvex", "drill.html", "skorvex")]


def sizes(web):
    """The page's files, raw, with gzip -9 and with brotli -q 11."""
    raw = packed = brotli = 0
    for folder, _, names in os.walk(web):
        for name in names:
            if name.endswith((".gz", ".br")):
                continue
            data = open(os.path.join(folder, name), "rb").read()
            raw += len(data)
            packed += len(gzip.compress(data, 9))
            brotli += len(subprocess.run(["brotli", "--quality=11", "--stdout"], input=data,
                                         capture_output=True, check=True).stdout)
    return raw, packed, brotli


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    web, wasm = sys.argv[1:3]
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 10
    harness = Harness()
    folder = harness.scratch("skorvex-web-bench-")
    for name in os.listdir(web):
        if os.path.isfile(os.path.join(web, name)) and not name.startswith("sw.js"):
            shutil.copy(os.path.join(web, name), folder)
    page = open(os.path.join(folder, "index.html"), encoding="utf-8").read()
    with open(os.path.join(folder, "drill.html"), "w", encoding="utf-8") as out:
        out.write(page.replace("</body>", CLOCK + "</body>"))
    for _, page_file, program in PAGES[:2]:
        for name in (program + ".js", program + ".wasm"):
            shutil.copy(os.path.join(wasm, "bench", name), folder)
            subprocess.run(["/usr/bin/python3", os.path.join(TOP, "packaging", "web", "page.py"),
                            "precompress", os.path.join(folder, name)], check=True)
        with open(os.path.join(folder, page_file), "w", encoding="utf-8") as out:
            out.write(BARE % {"program": program, "clock": CLOCK})

    server = Server(folder)
    times = {(name, visit): [] for _, name, _ in PAGES for visit in ("first", "repeat")}
    try:
        browser = Chromium(harness)
        browser.send("Page.enable")
        browser.send("Network.enable")
        for turn in range(rounds + 1):
            # Each page first in its turn.
            for _, name, program in PAGES[turn % 3:] + PAGES[:turn % 3]:
                browser.send("Network.clearBrowserCache")
                for visit in ("first", "repeat"):
                    browser.send("Page.navigate", url=server.url + name)
                    browser.wait_for("window.firstDrawing !== undefined", name, seconds=60)
                    fetches = browser.evaluate(
                        "performance.getEntriesByType('resource')"
                        ".filter(e => e.name.endsWith(%r)).map(e => e.transferSize)"
                        % (program + ".wasm"))
                    # Once (the page's own early fetch is the program's
                    # only one), and at most a revalidation's headers on the
                    # repeat visit.
                    if len(fetches) != 1:
                        raise RuntimeError("%s, %s visit: %s fetched %d times" % (
                            name, visit, program, len(fetches)))
                    fetched = fetches[0]
                    if (visit == "repeat") != (fetched < HEADERS_ONLY):
                        raise RuntimeError("%s, %s visit: %s came with %d bytes" % (
                            name, visit, program, fetched))
                    if turn > 0:
                        times[(name, visit)].append(browser.evaluate("window.firstDrawing"))
                    time.sleep(CODE_CACHE_SECONDS)
    finally:
        harness.down()
        server.stop()
    print("| visit | program | first drawing, ms (median) | min | max |")
    print("|---|---|---:|---:|---:|")
    for visit in ("first", "repeat"):
        for label, name, _ in PAGES:
            values = times[(name, visit)]
            print("| %s | %s | %.0f | %.0f | %.0f |" % (
                visit, label, statistics.median(values), min(values), max(values)))
    print()
    for visit in ("first", "repeat"):
        drill = statistics.median(times[("drill.html", visit)])
        print("ratio of medians, %s visit: %.2f, %.2f against the baseline with Qt's own fonts"
              % (visit, drill / statistics.median(times[("bare.html", visit)]),
                 drill / statistics.median(times[("bare-fonts.html", visit)])))
    print("(%d rounds after one warm-up, taking turns; the repeat visit's program came from"
          " the browser's cache every time, with at most a 304's headers)" % rounds)
    raw, packed, brotli = sizes(web)
    print("\nthe page: %d bytes, %d with gzip -9, %d with brotli -q 11" % (raw, packed, brotli))
    return 0


if __name__ == "__main__":
    sys.exit(main())
