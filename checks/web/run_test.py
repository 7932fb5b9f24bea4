# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs a test program of the WebAssembly build in headless Chromium, as CTest's
emulator: the program's folder is served on localhost, a page loads the
program with Qt's loader and the arguments given, and what the program prints
is printed here, until it ends with its status, which this ends with. The
page gives Qt a screen of the window's size, as the drill's own page does:
in a page Qt shows a window full screen.

CTest runs several tests of one program at once: each has a page of its own,
under a name no other run uses, so that no browser ever reads a page another
run is still writing. A program that has not started within
STARTING_SECONDS, or not ended within SECONDS, fails with what its page had
loaded, so that one hang costs a minute and names its test.

Usage: python3 -m checks.web.run_test PROGRAM.js [ARGUMENTS]
"""

import json
import os
import sys
import time
import urllib.parse

from checks.harness import Failed, Harness
from checks.web.devtools import Chromium, Server

STARTING_SECONDS = 30  # the longest a page may take to start its program
SECONDS = 75  # the longest a program may run

RUNNER = """<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>%(name)s</title></head>
<body><div id="screen" style="width: 443px; height: 350px"></div>
<script src="qtloader.js"></script>
<script src="%(name)s.js"></script>
<script>
window.ended = null;
window.started = typeof qtLoad === 'function' && typeof window.%(name)s_entry === 'function';
qtLoad({
    arguments: JSON.parse(decodeURIComponent(location.hash.slice(1))),
    print: (text) => console.log(text),
    printErr: (text) => console.error(text),
    qt: {
        containerElements: [document.getElementById('screen')],
        entryFunction: window.%(name)s_entry,
        onExit: (exit) => { window.ended = exit; },
    },
});
</script></body></html>
"""


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    program = os.path.abspath(sys.argv[1])
    folder, name = os.path.dirname(program), os.path.basename(program)[:-len(".js")]
    page_name = "run-%s-%d.html" % (name, os.getpid())
    page_path = os.path.join(folder, page_name)
    with open(page_path, "w") as page:
        page.write(RUNNER % {"name": name})
    harness = Harness()
    server = Server(folder)
    try:
        browser = Chromium(harness)
        browser.send("Runtime.enable")
        browser.send("Page.navigate", url="%s%s#%s" % (
            server.url, page_name, urllib.parse.quote(json.dumps(sys.argv[2:]))))
        begun = time.monotonic()
        started = False
        ended = None
        while ended is None:
            for event in browser.drain("Runtime.consoleAPICalled"):
                params = event["params"]
                words = " ".join(str(a.get("value", a.get("description", "")))
                                 for a in params["args"])
                out = sys.stderr if params["type"] in ("error", "warning") else sys.stdout
                print(words, file=out, flush=True)
            # A page that runs its tests is busy until they are done.
            state = browser.evaluate("[window.started === true, window.ended ?? null]",
                                     seconds=max(1, SECONDS - (time.monotonic() - begun)))
            started, ended = started or bool(state and state[0]), state and state[1]
            if ended is None:
                waited = time.monotonic() - begun
                if not started and waited > STARTING_SECONDS:
                    raise Failed("%s did not start within %d s; %s" % (
                        name, STARTING_SECONDS, loaded(browser)))
                if waited > SECONDS:
                    raise Failed("%s %s did not end within %d s; %s" % (
                        name, " ".join(sys.argv[2:]), SECONDS, loaded(browser)))
                time.sleep(0.05)
        for event in browser.drain("Runtime.consoleAPICalled"):
            print(" ".join(str(a.get("value", "")) for a in event["params"]["args"]), flush=True)
        if ended.get("crashed"):
            print("%s stopped: %s" % (name, ended.get("text")), file=sys.stderr)
            return 1
        return ended.get("code", 1)
    except Failed as failure:
        print("checks.web.run_test: %s" % failure, file=sys.stderr)
        return 1
    finally:
        harness.down()
        server.stop()
        os.remove(page_path)


def loaded(browser):
    """What the page had loaded, for a test that never started or ended."""
    try:
        return "the page was %s and had fetched: %s" % tuple(browser.evaluate(
            "[document.readyState + (typeof qtLoad === 'function' ? ', with qtLoad' :"
            " ', without qtLoad'), performance.getEntriesByType('resource')"
            ".map(e => e.name.split('/').pop()).join(', ') || 'nothing'", seconds=5))
    except Failed as failure:
        return "its state could not be read (%s)" % failure


if __name__ == "__main__":
    sys.exit(main())
