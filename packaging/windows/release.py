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
order, so one commit gives one zip. Also writes the installer's file lists
and the MSI's description for wixl. The program is signed before it is
packed, where a certificate is given (packaging/windows/sign).
"""

import hashlib
import os
import shutil
import subprocess
import sys
import textwrap
import time
import uuid
import zipfile
from xml.sax.saxutils import quoteattr

HERE = os.path.dirname(os.path.abspath(__file__))
TOP = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.dirname(HERE))
from notices import notices
# The MSI's codes. The upgrade code stays the same for every version, so that
# a newer MSI replaces an older one; the others are made from the version and
# the files, so that one commit always gives the same MSI.
UPGRADE_CODE = "6D3B1F0E-5C8A-4E52-9A57-0C41B7E2D9A3"
CODES = uuid.UUID(UPGRADE_CODE)
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


def main():
    build, version, qt, tarball = sys.argv[1:]
    epoch = int(os.environ["SOURCE_DATE_EPOCH"])
    stage = os.path.join(build, "release", "Skorvex")
    shutil.rmtree(os.path.dirname(stage), ignore_errors=True)
    os.makedirs(os.path.join(stage, "LICENSES"))
    shutil.copyfile(os.path.join(build, "skorvex.exe"), os.path.join(stage, "skorvex.exe"))
    subprocess.run([os.path.join(HERE, "sign"), os.path.join(stage, "skorvex.exe")], check=True)

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
        "LICENSES/THIRD-PARTY-NOTICES.txt": notices(qt, os.path.join(build, "skorvex.map"),
                                                    version, "for Windows", "skorvex.exe",
                                                    RUNTIMES),
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
    shutil.copyfile(os.path.join(TOP, "assets", "light_bulb.ico"),
                    os.path.join(build, "release", "skorvex.ico"))
    with open(os.path.join(build, "release", "skorvex.wxs"), "w", encoding="utf-8") as out:
        out.write(msi_description(stage, members, folders, version))

def msi_description(stage, members, folders, version):
    """The MSI for every user of a machine, as wixl reads it in the folder
    that holds the release folder and the icon (skorvex.ico): the release
    folder under Program Files, a Start-menu shortcut, and an entry in "Apps"
    with the icon, replaced by any newer version."""
    def ident(kind, path):
        return "%s_%s" % (kind, hashlib.sha256(path.encode()).hexdigest()[:16])

    def code(*parts):
        return str(uuid.uuid5(CODES, " ".join(parts))).upper()

    def folder_xml(folder, depth):
        pad = "  " * depth
        out = []
        for member in (m for m in members if os.path.dirname(m) == folder):
            out.append('%s<Component Id="%s" Guid="%s" Win64="yes">\n' % (
                pad, ident("c", member), code("component", member)))
            out.append('%s  <File Id="%s" Name=%s Source=%s KeyPath="yes"/>\n' % (
                pad, ident("f", member), quoteattr(os.path.basename(member)),
                quoteattr(os.path.join(os.path.basename(stage), member))))
            out.append("%s</Component>\n" % pad)
        for sub in (f for f in folders if os.path.dirname(f) == folder):
            out.append('%s<Directory Id="%s" Name=%s>\n' % (
                pad, ident("d", sub), quoteattr(os.path.basename(sub))))
            out.extend(folder_xml(sub, depth + 1))
            out.append("%s</Directory>\n" % pad)
        return out

    contents = hashlib.sha256()
    for member in members:
        contents.update(member.encode() + b"\0" + open(os.path.join(stage, member), "rb").read())
    components = "".join('      <ComponentRef Id="%s"/>\n' % ident("c", m) for m in members)
    return "".join([
        '<?xml version="1.0" encoding="utf-8"?>\n',
        '<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">\n',
        '  <Product Id="%s" Name="Skorvex!" Language="1033" Version="%s"\n' % (
            code("product", version), version),
        '      Manufacturer="The Skorvex developers" UpgradeCode="%s">\n' % UPGRADE_CODE,
        '    <Package Id="%s" InstallerVersion="500" Compressed="yes"\n' % code(
            "package", version, contents.hexdigest()),
        '        InstallScope="perMachine" Manufacturer="The Skorvex developers"\n',
        '        Description="Skorvex %s" Comments="A timed arithmetic drill for children"/>\n'
        % version,
        '    <MajorUpgrade DowngradeErrorMessage="A newer version of Skorvex! is installed."/>\n',
        '    <Media Id="1" Cabinet="skorvex.cab" EmbedCab="yes"/>\n',
        '    <Icon Id="skorvex.ico" SourceFile="skorvex.ico"/>\n',
        '    <Property Id="ARPPRODUCTICON" Value="skorvex.ico"/>\n',
        '    <Directory Id="TARGETDIR" Name="SourceDir">\n',
        '      <Directory Id="ProgramFiles64Folder">\n',
        '        <Directory Id="INSTALLDIR" Name="Skorvex">\n',
    ] + folder_xml("", 5) + [
        '        </Directory>\n',
        '      </Directory>\n',
        '      <Directory Id="ProgramMenuFolder">\n',
        '        <Component Id="start_menu" Guid="%s" Win64="yes">\n' % code("start menu"),
        '          <Shortcut Id="start_menu" Name="Skorvex!" Target="[INSTALLDIR]skorvex.exe"\n',
        '              WorkingDirectory="INSTALLDIR" Icon="skorvex.ico"/>\n',
        '          <RegistryValue Root="HKLM" Key="Software\\Skorvex" Name="StartMenuShortcut"\n',
        '              Type="integer" Value="1" KeyPath="yes"/>\n',
        '        </Component>\n',
        '      </Directory>\n',
        '    </Directory>\n',
        '    <Feature Id="Skorvex" Level="1">\n',
        components,
        '      <ComponentRef Id="start_menu"/>\n',
        '    </Feature>\n',
        '  </Product>\n',
        '</Wix>\n',
    ])


if __name__ == "__main__":
    main()
