# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""What every check on a real display shares: processes started and ended
again, commands with a time limit, waiting for a condition, a private Xvfb
display, and real X keys sent with xdotool. The screen-reader check, the
desktop check, the Windows checks and the browser check build on it."""

import os
import shutil
import subprocess
import tempfile
import time

STEP_SECONDS = 20  # the longest any one step may take


class Failed(Exception):
    pass


def run_steps(steps, down, passed, indent="", after_failure=None):
    """Runs a check's steps, then down() whatever happens; prints FAILED with
    the reason (and after_failure, where given) or passed. The exit status."""
    try:
        steps()
    except Failed as failure:
        print("%sFAILED: %s" % (indent, failure))
        if after_failure:
            print(after_failure)
        return 1
    finally:
        down()
    print(indent + passed)
    return 0


def expect(condition, what):
    """A step that holds, said as it passes; a Failed where it does not."""
    if not condition:
        raise Failed(what)
    print("  " + what)


class Harness:
    def __init__(self, env=None):
        self.processes = []
        self.folders = []
        self.env = dict(os.environ if env is None else env)

    def start(self, args, **kwargs):
        process = subprocess.Popen(args, **{"env": self.env, **kwargs})
        self.processes.append(process)
        return process

    def scratch(self, prefix):
        """A folder of its own, removed by down(): a browser's profile is tens
        of megabytes, and the suite starts one for every test."""
        folder = tempfile.mkdtemp(prefix=prefix)
        self.folders.append(folder)
        return folder

    def run_quietly(self, args, seconds=STEP_SECONDS):
        """The command's output and status; its messages are dropped."""
        try:
            return subprocess.run(args, env=self.env, stdout=subprocess.PIPE,
                                   stderr=subprocess.DEVNULL, text=True, timeout=seconds)
        except subprocess.TimeoutExpired:
            raise Failed("timed out: " + " ".join(args))

    def run(self, *args, seconds=STEP_SECONDS):
        """The command's output; fails unless it succeeds."""
        done = self.run_quietly(list(args), seconds)
        if done.returncode != 0:
            raise Failed("failed (%d): %s" % (done.returncode, " ".join(args)))
        return done.stdout

    def wait_for(self, test, what, seconds=STEP_SECONDS):
        deadline = time.monotonic() + seconds
        while not test():
            if time.monotonic() > deadline:
                raise Failed("timed out waiting for " + what)
            time.sleep(0.05)

    def display(self, size="800x600"):
        """A private X server; it picks a free display number and tells it."""
        read_end, write_end = os.pipe()
        self.start(["Xvfb", "-displayfd", str(write_end), "-screen", "0", size + "x24",
                    "-nolisten", "tcp"], pass_fds=(write_end,),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as told:
            number = told.readline().strip()
        if not number:
            raise Failed("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number
        self.env.pop("WAYLAND_DISPLAY", None)

    def find_window(self, title, seconds=STEP_SECONDS, whole=True):
        """The X window of that title (or, not whole, with it in its title),
        once it shows, with the focus given to it. While a program starts,
        xdotool now and then fails on a window that goes as it reads it: it
        is asked again until the time is up."""
        pattern = "^%s$" % title if whole else title
        found = []

        def shown():
            done = self.run_quietly(["xdotool", "search", "--onlyvisible", "--name", pattern])
            found[:] = done.stdout.split() if done.returncode == 0 else []
            return found

        self.wait_for(shown, "the window %r to appear" % title, seconds)
        self.run("xdotool", "windowfocus", "--sync", found[0])
        return found[0]

    def clipboard(self, text):
        """Puts text on the display's clipboard, as a copy in another program
        does; xclip serves it until the display ends, and says so then."""
        try:
            subprocess.run(["xclip", "-selection", "clipboard", "-i"], input=text.encode(),
                           env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                           check=True, timeout=STEP_SECONDS)
        except (subprocess.SubprocessError, OSError) as failure:
            raise Failed("xclip: %s" % failure)

    def keys(self, *keys, delay=60):
        self.run("xdotool", "key", "--delay", str(delay), *keys)

    def type(self, text, delay=60):
        self.run("xdotool", "type", "--delay", str(delay), text)

    def down(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        self.processes = []
        # A browser's helpers may still write into its profile for a moment
        # after it has ended.
        for folder in self.folders:
            for _ in range(10):
                shutil.rmtree(folder, ignore_errors=True)
                if not os.path.exists(folder):
                    break
                time.sleep(0.2)
        self.folders = []
