# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs a command on a private Xvfb display of its own, the one display
starter of the checks: the X server picks a free display number itself and
tells it, so that no check lands on a desktop or on another check's display.
The command finds DISPLAY, QT_QPA_PLATFORM=xcb and SKORVEX_PRIVATE_DISPLAY
in its environment; the server ends with it, and its status is this one's.

Usage: python3 -m checks.display WIDTHxHEIGHT COMMAND [ARGS...]
"""

import subprocess
import sys

from checks.harness import Failed, Harness


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    harness = Harness()
    try:
        harness.display(sys.argv[1])
        env = dict(harness.env, QT_QPA_PLATFORM="xcb", SKORVEX_PRIVATE_DISPLAY="1")
        return subprocess.run(sys.argv[2:], env=env).returncode
    except Failed as failure:
        print("checks.display: %s" % failure, file=sys.stderr)
        return 1
    finally:
        harness.down()


if __name__ == "__main__":
    sys.exit(main())
