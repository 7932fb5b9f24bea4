#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Stages the Windows release folder "Skorvex" and packs it as a zip.

Usage: release.py BUILD_DIR VERSION QT_BUILD SOURCE_TARBALL

The folder holds skorvex.exe; README.txt, how to play, from the man page;
SOURCE.txt, which names the source release by file and SHA-256 sum; and in
LICENSES our licence, Qt's, and THIRD-PARTY-NOTICES.txt with the notices of
everything else linked in. What went in is read from the link map: every Qt
object the linker took, every file the compiler read for it (ninja's deps)
and every file its resources embed, matched against Qt's attribution files.
Every time in the zip is SOURCE_DATE_EPOCH and its members come in sorted
order, so one commit gives one zip. Also writes the installer's file lists.
"""

import glob
import hashlib
import json
import os
import re
import shutil
import subprocess
import sys
import textwrap
import time
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
TOP = os.path.dirname(os.path.dirname(HERE))
# The MinGW-w64 runtime (with winpthreads) and GCC's libgcc and libstdc++, as
# Debian's packages state their terms.
RUNTIMES = [
    ("MinGW-w64 runtime and winpthreads", "/usr/share/doc/mingw-w64-x86-64-dev/copyright"),
    ("GCC runtime libraries (libgcc, libstdc++)", "/usr/share/doc/gcc-mingw-w64-base/copyright"),
]


def crlf(text):
    """Text as Windows' own editors expect it."""
    return text.replace("\r\n", "\n").replace("\n", "\r\n").encode("utf-8")


def man_to_text(man, sections):
    """The named sections of the man page as plain, wrapped text."""
    def plain(line):
        if line.startswith((".B ", ".BI ")):
            line = line.split(" ", 1)[1].replace('"', "")
        for roff, text in (("\\(lq", '"'), ("\\(rq", '"'), ("\\-", "-"), ("\\fR", ""),
                           ("\\fP", ""), ("\\fB", ""), ("\\fI", "")):
            line = line.replace(roff, text)
        return " ".join(line.split())

    out, section, paragraph, term = [], None, [], None

    def flush():
        nonlocal paragraph, term
        if paragraph:
            indent = "      " if term is not None else ""
            if term is not None:
                out.append("  " + term)
            out.extend(textwrap.wrap(" ".join(paragraph), 72, initial_indent=indent,
                                     subsequent_indent=indent))
            out.append("")
        paragraph, term = [], None

    lines = iter(man.splitlines())
    for line in lines:
        if line.startswith(".SH "):
            flush()
            section = line[4:].strip()
            if section in sections and section != sections[0]:
                out.append(section.capitalize())
                out.append("")
        elif section not in sections or line.startswith('.\\"'):
            continue
        elif line in (".PP", ".TP"):
            flush()
            if line == ".TP":
                term = plain(next(lines))
        else:
            paragraph.append(plain(line))
    flush()
    return "\n".join(out)


def linked_files(qt, link_map):
    """Every file of Qt's source that went into the program."""
    text = open(link_map, encoding="utf-8", errors="replace").read()
    ninja = open(os.path.join(qt, "build.ninja"), encoding="utf-8").read()
    objects = set()
    for archive, members in re.findall(r"^build (\S+\.a): \S+ ([^|\n]+)", ninja, re.M):
        names = set(re.findall(re.escape(os.path.join(qt, archive)) + r"\(([^)]+)\)", text))
        objects.update(o for o in members.split() if os.path.basename(o) in names)
    objects.update(os.path.relpath(o, qt)
                   for o in set(re.findall(re.escape(qt) + r"/(?:\S+/)?[^/\s()]+\.obj", text)))
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


def notices(qt, link_map, version):
    source = os.path.join(os.path.dirname(qt), "src")
    files = linked_files(qt, link_map)
    parts = [
        "Skorvex %s for Windows: third-party notices\n\n"
        "skorvex.exe has the following software linked into it, statically.\n" % version,
        "== Qt %s (qtbase), from Debian's source package qt6-base\n\n"
        "Licence: LGPL-3.0-only, see LGPL-3.0-only.txt.\n"
        "Copyright (C) The Qt Company Ltd. and other contributors.\n" % qt_version(qt),
    ]
    for path in sorted(glob.glob(source + "/src/**/qt_attribution.json", recursive=True)):
        folder = os.path.dirname(path)
        entries = json.loads(open(path, encoding="utf-8").read(), strict=False)
        for entry in entries if isinstance(entries, list) else [entries]:
            where = [os.path.join(folder, f) for f in re.split(r"[ ,]+", entry.get("Files", ""))
                     if f] or [os.path.join(folder, entry.get("Path", ""))]
            if not any(f == w or f.startswith(w.rstrip("/") + "/") for w in where for f in files):
                continue
            part = "== %s %s\n\nLicence: %s\n%s\n" % (
                entry["Name"], entry.get("Version", ""), entry.get("License", ""),
                entry.get("Copyright", "").strip())
            if entry.get("LicenseFile"):
                part += "\n" + open(os.path.join(folder, entry["LicenseFile"]),
                                    encoding="utf-8", errors="replace").read()
            parts.append(part)
    for name, copyright_file in RUNTIMES:
        parts.append("== %s\n\n%s" % (name, open(copyright_file, encoding="utf-8").read()))
    return "\n\n".join(p.rstrip() for p in parts) + "\n"


def qt_version(qt):
    cache = open(os.path.join(qt, "CMakeCache.txt"), encoding="utf-8").read()
    return re.search(r"^CMAKE_PROJECT_VERSION:STATIC=(\S+)", cache, re.M).group(1)


def main():
    build, version, qt, tarball = sys.argv[1:]
    epoch = int(os.environ["SOURCE_DATE_EPOCH"])
    stage = os.path.join(build, "release", "Skorvex")
    shutil.rmtree(os.path.dirname(stage), ignore_errors=True)
    os.makedirs(os.path.join(stage, "LICENSES"))
    shutil.copyfile(os.path.join(build, "skorvex.exe"), os.path.join(stage, "skorvex.exe"))

    man = open(os.path.join(TOP, "packaging", "skorvex.1.in"), encoding="utf-8").read()
    readme = ("Skorvex %s: a timed arithmetic drill for children\n\n" % version
              + man_to_text(man, ["DESCRIPTION", "KEYBOARD"])
              + "\nStart skorvex.exe from this folder, or \"Skorvex!\" from the Start menu\n"
              "when the installer put it there. Its licence is in LICENSES, and\n"
              "SOURCE.txt says where its source is.\n")
    digest = hashlib.sha256(open(tarball, "rb").read()).hexdigest()
    source = textwrap.dedent("""\
        Skorvex {v} for Windows: where its source is

        skorvex.exe is free software: you can redistribute it and/or modify it
        under the terms of the GNU General Public License, version 3 or later
        (LICENSES\\GPL-3.0-or-later.txt). It has Qt and the libraries named in
        LICENSES\\THIRD-PARTY-NOTICES.txt linked into it.

        Its complete corresponding source is the file

            {name}
            SHA-256 {digest}

        offered in the same place as this program. It holds Skorvex's own
        source release, Debian's qt6-base source package exactly as it was
        built, and the scripts and toolchain file that build Qt and the
        program. Its README.txt says how to build skorvex.exe from it alone,
        byte for byte, on Debian 12.
        """).format(v=version, name=os.path.basename(tarball), digest=digest)
    texts = {
        "README.txt": readme,
        "SOURCE.txt": source,
        "LICENSES/GPL-3.0-or-later.txt":
            open(os.path.join(TOP, "LICENSES", "GPL-3.0-or-later.txt"), encoding="utf-8").read(),
        "LICENSES/LGPL-3.0-only.txt":
            open(os.path.join(os.path.dirname(qt), "src", "LICENSES", "LGPL-3.0-only.txt"),
                 encoding="utf-8").read(),
        "LICENSES/THIRD-PARTY-NOTICES.txt": notices(qt, os.path.join(build, "skorvex.map"), version),
    }
    for name, text in texts.items():
        with open(os.path.join(stage, name), "wb") as out:
            out.write(crlf(text))

    members = sorted(os.path.relpath(os.path.join(d, f), stage)
                     for d, _, names in os.walk(stage) for f in names)
    folders = sorted({os.path.dirname(m) for m in members} - {""})
    stamp = time.gmtime(max(epoch, 315532800))[:6]  # a zip cannot hold times before 1980
    name = os.path.join(build, "skorvex-%s-windows-x86_64.zip" % version)
    with zipfile.ZipFile(name, "w", zipfile.ZIP_DEFLATED, compresslevel=9) as archive:
        for folder in [""] + folders:
            info = zipfile.ZipInfo(os.path.join("Skorvex", folder, ""), stamp)
            info.external_attr = 0o40755 << 16 | 0x10
            archive.writestr(info, b"")
        for member in members:
            info = zipfile.ZipInfo("Skorvex/" + member, stamp)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o100644 << 16
            archive.writestr(info, open(os.path.join(stage, member), "rb").read(), compresslevel=9)
    print("make windows-package: %s" % name)

    # What the installer puts in place and the uninstaller takes away again,
    # file by file, so that it removes nothing it did not make.
    def windows(path):
        return "$INSTDIR" + "".join("\\" + part for part in path.split("/") if part)

    size = sum(os.path.getsize(os.path.join(stage, m)) for m in members)
    with open(os.path.join(build, "release", "files.nsh"), "w", encoding="utf-8") as out:
        out.write("!define SIZE_KB %d\n!macro INSTALL_FILES\n" % ((size + 1023) // 1024))
        for member in members:
            out.write('  SetOutPath "%s"\n' % windows(os.path.dirname(member)))
            out.write('  File "Skorvex/%s"\n' % member)
        out.write('  SetOutPath "$INSTDIR"\n!macroend\n!macro REMOVE_FILES\n')
        for member in members:
            out.write('  Delete "%s"\n' % windows(member))
        for folder in reversed(folders):
            out.write('  RMDir "%s"\n' % windows(folder))
        out.write("!macroend\n")

if __name__ == "__main__":
    main()
