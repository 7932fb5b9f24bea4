# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""The third-party notices of a program with Qt linked in statically, found
from the link itself: every Qt object the linker took (its link map), every
file the compiler read for it (ninja's deps) and every file its resources
embed, matched against Qt's attribution files. Used by the Windows release
and the web page."""

import glob
import json
import os
import re
import subprocess


def linked_files(qt, link_map):
    """Every file of Qt's source that went into the program."""
    text = open(link_map, encoding="utf-8", errors="replace").read()
    ninja = open(os.path.join(qt, "build.ninja"), encoding="utf-8").read()
    objects = set()
    for archive, members in re.findall(r"^build (\S+\.a): \S+ ([^|\n]+)", ninja, re.M):
        names = set(re.findall(re.escape(os.path.join(qt, archive)) + r"\(([^)]+)\)", text))
        objects.update(o for o in members.split() if os.path.basename(o) in names)
    objects.update(os.path.relpath(o, qt)
                   for o in set(re.findall(re.escape(qt) + r"/(?:\S+/)?[^/\s()]+\.o(?:bj)?\b", text)))
    deps = subprocess.run(["ninja", "-C", qt, "-t", "deps"] + sorted(objects), check=True,
                          stdout=subprocess.PIPE, text=True).stdout
    files = set()
    for line in deps.splitlines():
        if line.startswith("    "):
            path = os.path.normpath(line.strip())
            files.add(path)
            # A resource embeds the files its .qrc names.
            match = re.match(r"(.*)/\.rcc/qrc_(\w+)\.cpp$", path)
            if match:
                qrc = open("%s/.rcc/%s.qrc" % match.groups(), encoding="utf-8").read()
                files.update(os.path.normpath(f) for f in re.findall(r">([^<]+)</file>", qrc))
    return files


def qt_changes(qt):
    """Our changes to Qt's source, as the build applied them: the patches the
    Qt build keeps beside itself, each named with the line that says why."""
    patches = sorted(glob.glob(os.path.join(os.path.dirname(qt), "patches", "*.patch")))
    if not patches:
        return ""
    lines = ["Built with these changes of ours to that source, each in the source\n"
             "release as packaging/qt-patches/<name>:\n"]
    for path in patches:
        first = open(path, encoding="utf-8").readline()
        lines.append("- %s: %s\n" % (os.path.basename(path),
                                      first.removeprefix("Description:").strip()))
    return "\n" + "".join(lines)


def notices(qt, link_map, version, where, program, runtimes):
    """The notices of every third-party part of Qt that the link map says
    went into the program, and of the runtimes named, each (name, the
    copyright file of its Debian package)."""
    source = os.path.join(os.path.dirname(qt), "src")
    files = linked_files(qt, link_map)
    parts = [
        "Skorvex %s %s: third-party notices\n\n"
        "%s has the following software linked into it, statically.\n" % (version, where, program),
        "== Qt %s (qtbase), from Debian's source package qt6-base\n\n"
        "Licence: LGPL-3.0-only, see LGPL-3.0-only.txt.\n"
        "Copyright (C) The Qt Company Ltd. and other contributors.\n" % qt_version(qt)
        + qt_changes(qt),
    ]
    for path in sorted(glob.glob(source + "/src/**/qt_attribution.json", recursive=True)):
        folder = os.path.dirname(path)
        entries = json.loads(open(path, encoding="utf-8").read(), strict=False)
        for entry in entries if isinstance(entries, list) else [entries]:
            named = entry.get("Files", "")
            if isinstance(named, str):
                named = re.split(r"[ ,]+", named)
            where = [os.path.join(folder, f) for f in named if f] or [
                os.path.join(folder, entry.get("Path", ""))]
            if not any(f == w or f.startswith(w.rstrip("/") + "/") for w in where for f in files):
                continue
            copyright_lines = entry.get("Copyright", "")
            if isinstance(copyright_lines, list):
                copyright_lines = "\n".join(copyright_lines)
            part = "== %s %s\n\nLicence: %s\n%s\n" % (
                entry["Name"], entry.get("Version", ""), entry.get("License", ""),
                copyright_lines.strip())
            if entry.get("LicenseFile"):
                part += "\n" + open(os.path.join(folder, entry["LicenseFile"]),
                                    encoding="utf-8", errors="replace").read()
            parts.append(part)
    for name, copyright_file in runtimes:
        parts.append("== %s\n\n%s" % (name, open(copyright_file, encoding="utf-8").read()))
    return "\n\n".join(p.rstrip() for p in parts) + "\n"


def qt_version(qt):
    cache = open(os.path.join(qt, "CMakeCache.txt"), encoding="utf-8").read()
    return re.search(r"^CMAKE_PROJECT_VERSION:STATIC=(\S+)", cache, re.M).group(1)
