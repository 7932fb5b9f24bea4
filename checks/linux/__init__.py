# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The checks that belong to the desktop on Linux: Orca and the desktop themes."""
