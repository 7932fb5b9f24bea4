# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The checks on a real display: the program played by real X keys, heard by
Orca, seen in screenshots, under Wine and in three browsers. Each is run from
the top of the tree as python3 -m checks.PLATFORM.NAME; what they share is
here: the harness (processes, the private display, keys), the window's
names, and the display starter the shell scripts run their checks under."""

import os

TOP = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ASSETS = os.path.join(TOP, "assets")
