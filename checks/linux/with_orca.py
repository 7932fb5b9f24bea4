# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs a command as on the desktop of a learner who uses a screen reader: a
private Xvfb display, D-Bus session bus and AT-SPI bus, speech-dispatcher with
espeak-ng into ALSA's null device, and Orca listening (without its debug log),
all set up as the screen-reader check sets them up.

Usage: python3 -m checks.linux.with_orca COMMAND [ARGS...]
The command finds DISPLAY and the buses in its environment, and
BENCH_DISPLAY=1 to tell it that the display is already there.
"""

import subprocess
import sys

from checks.linux import orca

if len(sys.argv) < 2:
    print(__doc__)
    sys.exit(2)
session = orca.Session(None, None)
try:
    session.up(debug=False)
    env = dict(session.env, BENCH_DISPLAY="1", QT_QPA_PLATFORM="xcb")
    status = subprocess.run(sys.argv[1:], env=env).returncode
except orca.Failed as failure:
    print("checks.linux.with_orca: %s" % failure, file=sys.stderr)
    status = 1
finally:
    session.down()
sys.exit(status)
