# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Sourced by the Windows checks. new_prefix PREFIX HOME makes a fresh Wine
# prefix with its home beside it, so that nothing outside the build folder
# changes, and leaves one Wine server running for it.
new_prefix() {
    # Without the Mono and Gecko installers Wine would offer, and without
    # menu entries for the desktop.
    export WINEPREFIX=$1 HOME=$2 WINEDEBUG=-all
    export XDG_CACHE_HOME=$HOME/.cache XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share
    export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
    rm -rf "$WINEPREFIX" "$HOME"
    mkdir -p "$HOME"
    /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
    # Text smoothed as Windows 10 and 11 smooth it by default (ClearType). A
    # new prefix smooths nothing, and there Wine's GDI draws a glyph one pixel
    # wide ("!", "I") one pixel left of where its metrics put it, so that Qt's
    # glyph images come out empty.
    local value
    for value in 'FontSmoothing /t REG_SZ /d 2' 'FontSmoothingType /t REG_DWORD /d 2' \
        'FontSmoothingGamma /t REG_DWORD /d 1400' 'FontSmoothingOrientation /t REG_DWORD /d 1'; do
        # shellcheck disable=SC2086
        /usr/lib/wine/wine64 reg add 'HKCU\Control Panel\Desktop' /v $value /f >/dev/null 2>&1
    done
    /usr/lib/wine/wineserver -w
}
