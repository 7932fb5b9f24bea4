# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The program as a learner meets it on one desktop set-up: started under the
theme and scheme its caller set up, on a private X display and accessibility
bus switched on as a screen reader switches it on (the Orca check's own
session, without Orca), and played by real X keys (xdotool). Checks that the
process is one application on the accessibility bus, that the window manager
gets the icon in 16 and 32 pixels, the tab order, and that Enter answers from
a setting and from the selected option button.
Usage: python3 -m checks.linux.desktop PROGRAM TAB_ORDER_FILE
The tab order is written to TAB_ORDER_FILE the first time and compared after."""

import os
import re
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi

from checks.linux.orca import Failed, Session, run_steps


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


def check(s, order_file):
    def keys(*names):
        s.keys(*names)
        time.sleep(0.3)  # for the focus to be told on the bus

    def move_focus(key, wanted):
        """Presses key until the focus is on something whose role and name
        hold wanted, at most once round the window."""
        for _ in range(12):
            if wanted in focus_name(app):
                return
            keys(key)
        raise Failed("%s never reached %s; the focus is on %s" % (key, wanted, focus_name(app)))

    pid = s.app.pid
    s.wait_for(lambda: applications(pid), "the program on the bus")
    time.sleep(1)  # a second application, if any, has registered by now
    apps = applications(pid)
    print("  accessible applications: %d (%s)" % (
        len(apps), ", ".join(sorted(a.get_toolkit_name() for a in apps))))
    if len(apps) != 1:
        raise Failed("the process is %d applications on the accessibility bus" % len(apps))
    app = apps[0]

    icon = s.run_quietly(["xprop", "-id", s.window, "_NET_WM_ICON"]).stdout
    sizes = sorted(set(re.findall(r"Icon \((\d+) x \d+\)", icon)), key=int)
    print("  window icon sizes: %s" % ", ".join(sizes))
    if not {"16", "32"} <= set(sizes):
        raise Failed("the window manager gets no 16 and 32 pixel icon")

    correct = described(app, "Correct answers")
    keys("space")  # Begin! has the focus at start; 6 + 6 comes first
    s.type("12")
    order = [focus_name(app)]
    for _ in range(13):
        keys("Tab")
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
    move_focus("Tab", "your answer")
    keys("Tab", "Tab", "Tab")
    setting = focus_name(app)
    keys("Return")
    from_setting = correct.get_name()
    print("  Enter from %s: %s right" % (setting, from_setting))
    # The next problem, answered by Enter from the selected option.
    move_focus("shift+Tab", "your answer")
    top, bottom = re.match(r"(\d+) plus (\d+)", focused(app).get_name()).groups()
    s.type(str(int(top) + int(bottom)))
    move_focus("Tab", "radio button")
    option = focus_name(app)
    keys("Return")
    from_option = correct.get_name()
    print("  Enter from %s: %s right, %s wrong" % (
        option, from_option, described(app, "Incorrect answers").get_name()))
    if (from_setting, from_option) != ("1", "2"):
        raise Failed("Enter did not click GO! from a setting and from an option button")


def main():
    s = Session(os.path.abspath(sys.argv[1]), None)

    def steps():
        s.up(orca=False)
        # This process finds the program's accessibility bus as the program
        # does: from the session's display and D-Bus.
        for name in ("DISPLAY", "DBUS_SESSION_BUS_ADDRESS"):
            os.environ[name] = s.env[name]
        s.open_window()
        check(s, sys.argv[2])
    return run_steps(steps, s.down, "passed", indent="  ")


if __name__ == "__main__":
    sys.exit(main())
