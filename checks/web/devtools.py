# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Debian's Chromium, headless, driven by its DevTools protocol over a pipe
(no port, no extra package), and a static web server on localhost for the
pages it opens. Chromium is started through the shared harness, so that it
is ended with everything else."""

import functools
import http.server
import json
import os
import queue
import subprocess
import threading
import time

from checks.harness import STEP_SECONDS, Failed

CHROMIUM = "/usr/bin/chromium"
# Nothing of its own on the network (which this machine would refuse), no
# first-run pages, no sound.
QUIET = ["--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
         "--disable-component-update", "--disable-sync", "--disable-quic", "--disable-extensions",
         "--mute-audio"]


class Server:
    """Serves a folder on a free port of localhost, .wasm as application/wasm,
    and, where a browser accepts it, a file's .br or .gz beside it in its
    place, as nginx's brotli_static and gzip_static do. What went out is
    kept in sent: (path, Content-Encoding, status)."""

    def __init__(self, folder):
        self.sent = []
        handler = functools.partial(Quiet, self.sent, directory=folder)
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.url = "http://127.0.0.1:%d/" % self.httpd.server_address[1]
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def stop(self):
        self.httpd.shutdown()
        self.httpd.server_close()


class Quiet(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript",
                      ".webmanifest": "application/manifest+json"}

    def __init__(self, sent, *args, **kwargs):
        self.sent = sent
        self.encoding = None
        super().__init__(*args, **kwargs)

    def send_head(self):
        real = super().translate_path(self.path)
        accepted = [part.split(";")[0].strip()
                    for part in self.headers.get("Accept-Encoding", "").split(",")]
        self.encoding = None
        for encoding, suffix in (("br", ".br"), ("gzip", ".gz")):
            if encoding in accepted and os.path.isfile(real + suffix):
                self.encoding, self.packed = encoding, real + suffix
                break
        return super().send_head()

    def translate_path(self, path):
        return self.packed if self.encoding else super().translate_path(path)

    def guess_type(self, path):
        if self.encoding:
            path = path.rsplit(".", 1)[0]
        return super().guess_type(path)

    def send_response(self, code, message=None):
        super().send_response(code, message)
        if self.encoding and code == 200:
            self.send_header("Content-Encoding", self.encoding)
        self.send_header("Vary", "Accept-Encoding")
        self.sent.append((self.path.split("?")[0], self.encoding if code == 200 else None, code))

    def log_message(self, *args):
        pass


class Chromium:
    """A headless Chromium with a profile of its own, or the one given (to
    come back to a page as a returning visitor)."""

    def __init__(self, harness, width=800, height=600, profile=None):
        # Its own temporary files go with the profile, which is removed when
        # the harness is put down unless it was given to be kept.
        scratch = harness.scratch("skorvex-chromium-")
        self.profile = profile or os.path.join(scratch, "profile")
        commands_read, self._commands = os.pipe()
        self._replies, replies_write = os.pipe()

        # Chromium reads its commands from fd 3 and writes to fd 4: moved out
        # of the way first, so that neither end lands on the other's place.
        def on_fds_3_and_4():
            commands, replies = os.dup(commands_read), os.dup(replies_write)
            os.dup2(commands, 3)
            os.dup2(replies, 4)

        self.process = harness.start(
            [CHROMIUM, "--headless=new", *QUIET, "--remote-debugging-pipe",
             "--user-data-dir=" + self.profile, "--window-size=%d,%d" % (width, height),
             "about:blank"],
            env=dict(harness.env, TMPDIR=scratch), preexec_fn=on_fds_3_and_4, close_fds=False,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(commands_read)
        os.close(replies_write)
        self._next = 0
        self._waiting = {}
        self.events = queue.Queue()
        self._lock = threading.Lock()
        threading.Thread(target=self._read, daemon=True).start()
        targets = self.send("Target.getTargets")["targetInfos"]
        page = next(t for t in targets if t["type"] == "page")
        self.session = self.send("Target.attachToTarget", targetId=page["targetId"],
                                 flatten=True)["sessionId"]
        # The first blank page has loaded: a navigation sent before would be
        # lost to it.
        self.wait_for("document.readyState === 'complete'", "the first blank page")

    def _read(self):
        buffered = b""
        while True:
            chunk = os.read(self._replies, 1 << 16)
            if not chunk:
                return
            buffered += chunk
            while b"\0" in buffered:
                message, buffered = buffered.split(b"\0", 1)
                reply = json.loads(message)
                if "id" in reply:
                    with self._lock:
                        waiting = self._waiting.pop(reply["id"], None)
                    if waiting is not None:
                        waiting.put(reply)
                else:
                    self.events.put(reply)

    def send(self, method, session=None, seconds=STEP_SECONDS, **params):
        """Sends a command (to the page's session unless it is the browser's)
        and returns its result."""
        with self._lock:
            self._next += 1
            ident = self._next
            answer = self._waiting[ident] = queue.Queue()
        message = {"id": ident, "method": method, "params": params}
        if session or (getattr(self, "session", None) and not method.startswith("Target.")):
            message["sessionId"] = session or self.session
        os.write(self._commands, json.dumps(message).encode() + b"\0")
        try:
            reply = answer.get(timeout=seconds)
        except queue.Empty:
            raise Failed("Chromium did not answer %s" % method)
        if "error" in reply:
            raise Failed("%s: %s" % (method, reply["error"].get("message")))
        return reply.get("result", {})

    def evaluate(self, expression, seconds=STEP_SECONDS):
        result = self.send("Runtime.evaluate", expression=expression, returnByValue=True,
                           awaitPromise=True, seconds=seconds)
        if "exceptionDetails" in result:
            raise Failed("%s: %s" % (expression, result["exceptionDetails"].get("text")))
        return result["result"].get("value")

    def wait_for(self, expression, what, seconds=STEP_SECONDS):
        deadline = time.monotonic() + seconds
        while not self.evaluate(expression):
            if time.monotonic() > deadline:
                raise Failed("timed out waiting for " + what)
            time.sleep(0.05)

    def drain(self, method):
        """The events of one kind that have come, in order."""
        kept, others = [], []
        while True:
            try:
                event = self.events.get_nowait()
            except queue.Empty:
                break
            (kept if event.get("method") == method else others).append(event)
        for event in others:
            self.events.put(event)
        return kept
