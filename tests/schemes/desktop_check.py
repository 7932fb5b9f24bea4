#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The program as a learner meets it on one desktop set-up: started under the
X display, theme and scheme its caller set up, with the accessibility bus on
as a screen reader turns it on, and played by real X keys (xdotool). Checks
that the process is one application on the accessibility bus, that the
window manager gets the icon in 16 and 32 pixels, the tab order, and that
Enter answers from a setting and from the selected option button.
Usage: desktop_check.py PROGRAM TAB_ORDER_FILE
The tab order is written to TAB_ORDER_FILE the first time and compared after."""

import os
import re
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402


class Failed(Exception):
    pass


def run(*args, **kwargs):
    return subprocess.run(args, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                          timeout=20, **kwargs)


def wait_for(test, what, seconds=10):
    deadline = time.monotonic() + seconds
    while True:
        value = test()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failed("timed out waiting for " + what)
        time.sleep(0.05)


def applications(pid):
    desktop = Atspi.get_desktop(0)
    apps = [desktop.get_child_at_index(i) for i in range(desktop.get_child_count())]
    return [app for app in apps if app is not None and app.get_process_id() == pid]


def walk(node):
    yield node
    # A combo box's list, hidden or not, keeps the focused state of an item:
    # the combo box itself is what has the focus.
    if node.get_role() == Atspi.Role.COMBO_BOX:
        return
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield from walk(child)


def described(app, description):
    for node in walk(app):
        if node.get_description() == description:
            return node
    raise Failed("nothing described as " + description)


def focused(app):
    for node in walk(app):
        if node.get_state_set().contains(Atspi.StateType.FOCUSED):
            return node
    return None


def focus_name(app):
    node = focused(app)
    if node is None:
        return "(none)"
    return "%s %s" % (node.get_role_name(), node.get_description() or node.get_name())


def keys(window, *names):
    run("xdotool", "key", "--delay", "80", *names)
    time.sleep(0.3)


def move_focus(app, window, key, wanted):
    """Presses key until the focus is on something whose role and name hold
    wanted, at most once round the window."""
    for _ in range(12):
        if wanted in focus_name(app):
            return
        keys(window, key)
    raise Failed("%s never reached %s; the focus is on %s" % (key, wanted, focus_name(app)))


def check(program, order_file):
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    app_process = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
    try:
        window = wait_for(lambda: run("xdotool", "search", "--onlyvisible", "--name",
                                      "^Skorvex!$").stdout.split(), "the window", seconds=30)[0]
        run("xdotool", "windowfocus", "--sync", window)
        app = wait_for(lambda: applications(app_process.pid), "the program on the bus")[0]
        time.sleep(1)  # a second application, if any, has registered by now
        count = len(applications(app_process.pid))
        toolkits = sorted(a.get_toolkit_name() for a in applications(app_process.pid))
        print("  accessible applications: %d (%s)" % (count, ", ".join(toolkits)))
        if count != 1:
            raise Failed("the process is %d applications on the accessibility bus" % count)

        icon = run("xprop", "-id", window, "_NET_WM_ICON").stdout
        sizes = sorted(set(re.findall(r"Icon \((\d+) x \d+\)", icon)), key=int)
        print("  window icon sizes: %s" % ", ".join(sizes))
        if not {"16", "32"} <= set(sizes):
            raise Failed("the window manager gets no 16 and 32 pixel icon")

        correct = described(app, "Correct answers")
        keys(window, "space")  # Begin! has the focus at start; 6 + 6 comes first
        run("xdotool", "type", "--delay", "80", "12")
        order = [focus_name(app)]
        for _ in range(13):
            keys(window, "Tab")
            order.append(focus_name(app))
        print("  tab order from the answer box: " + " > ".join(order))
        if os.path.exists(order_file):
            with open(order_file) as known:
                if known.read().splitlines() != order:
                    raise Failed("the tab order differs from the first set-up's")
        else:
            with open(order_file, "w") as known:
                known.write("\n".join(order) + "\n")

        # Back to the start-table box (the answer box, then three Tabs) and Enter.
        move_focus(app, window, "Tab", "your answer")
        keys(window, "Tab", "Tab", "Tab")
        setting = focus_name(app)
        keys(window, "Return")
        from_setting = correct.get_name()
        print("  Enter from %s: %s right" % (setting, from_setting))
        # The next problem, answered by Enter from the selected option.
        move_focus(app, window, "shift+Tab", "your answer")
        top, bottom = re.match(r"(\d+) plus (\d+)", focused(app).get_name()).groups()
        run("xdotool", "type", "--delay", "80", str(int(top) + int(bottom)))
        move_focus(app, window, "Tab", "radio button")
        option = focus_name(app)
        keys(window, "Return")
        from_option = correct.get_name()
        print("  Enter from %s: %s right, %s wrong" % (
            option, from_option, described(app, "Incorrect answers").get_name()))
        if (from_setting, from_option) != ("1", "2"):
            raise Failed("Enter did not click GO! from a setting and from an option button")
    finally:
        app_process.terminate()
        app_process.wait(5)


def main():
    program, order_file = sys.argv[1], sys.argv[2]
    scratch = tempfile.mkdtemp(prefix="skorvex-desktop-")
    launch = run("dbus-launch", "--sh-syntax").stdout
    address = re.search(r"DBUS_SESSION_BUS_ADDRESS='([^']*)'", launch)
    bus_pid = re.search(r"DBUS_SESSION_BUS_PID=(\d+)", launch)
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = address.group(1)
    launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        wait_for(lambda: run("dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                             "/org/a11y/bus", "org.a11y.Bus.GetAddress").returncode == 0,
                 "the accessibility bus")
        # What a screen reader does at its start: toolkits then join the bus.
        run("dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
            "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status",
            "string:IsEnabled", "variant:boolean:true")
        check(program, order_file)
        print("  passed")
        return 0
    except Failed as failure:
        print("  FAILED: %s" % failure)
        return 1
    finally:
        launcher.terminate()
        os.kill(int(bus_pid.group(1)), 15)
        subprocess.run(["rm", "-rf", scratch])


if __name__ == "__main__":
    sys.exit(main())
