# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""What the checks that take screenshots share: whether two pictures are the
same, pixel for pixel. Apart from the harness, so that the checks that read
no screenshot need no imaging library."""

from PIL import ImageChops


def same(a, b):
    return ImageChops.difference(a, b).getbbox() is None
