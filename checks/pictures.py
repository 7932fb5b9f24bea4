# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""What the checks that take screenshots share: whether two pictures are the
same, pixel for pixel. Apart from the harness, so that the checks that read
no screenshot need no imaging library."""

from PIL import ImageChops


def same(a, b):
    return ImageChops.difference(a, b).getbbox() is None


class Figures:
    """The counts read from their pictures, where no text can be read: each
    figure must look as the same figure looked before, in either count, and
    unlike every other figure seen."""

    def __init__(self, zero):
        self.known = {0: zero}

    def shows(self, count, picture):
        if count in self.known:
            return same(picture, self.known[count])
        if any(same(picture, known) for known in self.known.values()):
            return False
        self.known[count] = picture
        return True
