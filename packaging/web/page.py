#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Puts the page together: a folder of static files that any web server can
serve, with no code of its own on the server and no special headers.

Usage: page.py WASM_BUILD_DIR OUTPUT_DIR QT_BUILD VERSION

The folder holds the page (index.html, page.js), Qt's loader, the program
(skorvex.js, skorvex.wasm), the web app manifest with the light bulb in 32,
192 and 512 pixels (the pixel art enlarged pixel for pixel), the service
worker that keeps every file for use offline, and LICENSES: our licence,
Qt's, the fonts', and the notices of everything else linked in. Every file
gets the commit's time, SOURCE_DATE_EPOCH; beside every file of 1 KB or more
lie its .gz and .br, which a server may send in its place.
"""

import gzip
import hashlib
import json
import os
import re
import shutil
import subprocess
import sys

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
TOP = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(TOP, "packaging"))
from notices import notices

PAGE = ["index.html", "page.js", "skorvex.webmanifest"]
PROGRAM = ["qtloader.js", "skorvex.js", "skorvex.wasm"]
# Emscripten's own runtime (libc, libc++ and the rest) and the fonts, as
# Debian's packages state their terms.
RUNTIMES = [
    ("Emscripten's runtime libraries (musl, libc++, libc++abi, compiler-rt)",
     "/usr/share/doc/emscripten/copyright"),
    ("Skorvex Sans: Regular and Bold of the Liberation Sans fonts, cut to the\n"
     "characters the drill writes and renamed, as the SIL Open Font License 1.1\n"
     "asks of a modified version", "/usr/share/doc/fonts-liberation/copyright"),
    ("DejaVu Sans, cut to the Latin, Greek, Cyrillic, Hebrew and Arabic scripts",
     "/usr/share/doc/fonts-dejavu-core/copyright"),
]
# What a server may send in place of a file that a browser asks for
# compressed; smaller files are not worth a second request's headers.
PRECOMPRESSED_FROM = 1024
# The ids and events the program shares with the page, named once, there.
NAMES = os.path.join(TOP, "platform", "web", "page_names.h")


def page_names():
    text = open(NAMES, encoding="utf-8").read()
    return dict(re.findall(r'constexpr const char\* (\w+) = "([^"]*)";', text))


def precompress(path):
    """Beside a file worth it, the same bytes as gzip -9 -n and brotli -q 11
    would write them, which a server sends to a browser that asks for them
    (nginx's gzip_static and brotli_static, Apache's rewrite to them)."""
    data = open(path, "rb").read()
    if len(data) < PRECOMPRESSED_FROM:
        return
    with open(path + ".gz", "wb") as packed:
        packed.write(gzip.compress(data, compresslevel=9, mtime=0))
    subprocess.run(["brotli", "--quality=11", "--force", "--output=" + path + ".br", path],
                   check=True)


def main():
    # What the page's benchmark serves beside it is compressed as the page is.
    if sys.argv[1] == "precompress":
        for path in sys.argv[2:]:
            precompress(path)
        return
    build, out, qt, version = sys.argv[1:]
    epoch = int(os.environ["SOURCE_DATE_EPOCH"])
    shutil.rmtree(out, ignore_errors=True)
    os.makedirs(os.path.join(out, "LICENSES"))
    names = page_names()
    for name in PAGE:
        text = open(os.path.join(HERE, name), encoding="utf-8").read()
        for key, value in names.items():
            text = text.replace("@%s@" % key, value)
        unknown = re.search(r"@[a-z_]+@", text)
        if unknown:
            sys.exit("page.py: %s names %s, which %s does not" % (name, unknown.group(0), NAMES))
        with open(os.path.join(out, name), "w", encoding="utf-8") as page:
            page.write(text)
    for name in PROGRAM:
        shutil.copyfile(os.path.join(build, name), os.path.join(out, name))
    for size in (16, 32):
        shutil.copyfile(os.path.join(TOP, "assets", "light_bulb_%d.png" % size),
                        os.path.join(out, "light_bulb_%d.png" % size))
    bulb = Image.open(os.path.join(TOP, "assets", "light_bulb_32.png"))
    for size in (192, 512):
        bulb.resize((size, size), Image.NEAREST).save(
            os.path.join(out, "light_bulb_%d.png" % size), optimize=True)

    licences = {
        "GPL-3.0-or-later.txt": os.path.join(TOP, "LICENSES", "GPL-3.0-or-later.txt"),
        "LGPL-3.0-only.txt": os.path.join(os.path.dirname(qt), "src", "LICENSES",
                                          "LGPL-3.0-only.txt"),
    }
    for name, path in licences.items():
        shutil.copyfile(path, os.path.join(out, "LICENSES", name))
    with open(os.path.join(out, "LICENSES", "THIRD-PARTY-NOTICES.txt"), "w") as text:
        text.write(notices(qt, os.path.join(build, "skorvex.map"), version, "in a web page",
                           "skorvex.wasm", RUNTIMES))
    with open(os.path.join(out, "LICENSES", "README.txt"), "w") as text:
        text.write(
            "Skorvex %s in a web page\n\n"
            "Skorvex is free software: you can redistribute it and/or modify it under\n"
            "the terms of the GNU General Public License, version 3 or later\n"
            "(GPL-3.0-or-later.txt). skorvex.wasm has Qt (LGPL-3.0-only.txt) and the\n"
            "libraries named in THIRD-PARTY-NOTICES.txt linked into it, and the\n"
            "fonts named in THIRD-PARTY-NOTICES.txt compiled in: Skorvex Sans,\n"
            "made from Liberation Sans (SIL Open Font License 1.1), and DejaVu Sans.\n\n"
            "Its source is skorvex-%s-web-source.tar.gz, offered where this page\n"
            "is: Skorvex's source release of the same version, with Debian 13's\n"
            "qt6-base source package and our changes to it exactly as Qt was built\n"
            "from them, with Debian 13's emscripten (make web-package).\n" % (version, version))

    files = sorted(os.path.relpath(os.path.join(d, f), out)
                   for d, _, names in os.walk(out) for f in names)
    digest = hashlib.sha256()
    for name in files:
        digest.update(name.encode() + b"\0" + open(os.path.join(out, name), "rb").read())
    worker = open(os.path.join(HERE, "sw.js"), encoding="utf-8").read()
    worker = worker.replace("@DIGEST@", digest.hexdigest()[:16]).replace(
        "@FILES@", ", ".join(json.dumps("./" + f) for f in [""] + files))
    with open(os.path.join(out, "sw.js"), "w", encoding="utf-8") as text:
        text.write(worker)
    for name in files + ["sw.js"]:
        precompress(os.path.join(out, name))
    for d, _, names in os.walk(out):
        for name in names + ["."]:
            os.utime(os.path.join(d, name), (epoch, epoch))
    print("make web: %s, %d files" % (out, len(files) + 1))


if __name__ == "__main__":
    main()
