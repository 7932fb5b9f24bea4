# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The checks of the page, in Chromium, Firefox ESR and WebKitGTK."""
