# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later

# What the package says about the project beyond itself: its home page, a
# screenshot on the web and its maintainer. All come from configure-time
# settings; nothing is assumed. Included by the build, and run in script mode
# by check-metadata:
#   cmake -DTEMPLATE=... -DOUT=... [-DHOMEPAGE=...] [-DSCREENSHOT_URL=...]
#         [-DMAINTAINER=...] -DVERSION=... -P metadata.cmake

# Writes the AppStream description from its template. Without a home page it
# names no web address at all: no url and no remote screenshot.
function(skorvex_write_metainfo template out version homepage screenshot_url)
    set(PROJECT_VERSION ${version})
    set(SKORVEX_URL_ELEMENTS "")
    if(homepage)
        string(APPEND SKORVEX_URL_ELEMENTS "\n  <url type=\"homepage\">${homepage}</url>")
        if(screenshot_url)
            string(APPEND SKORVEX_URL_ELEMENTS "\n  <screenshots>"
                "\n    <screenshot type=\"default\">"
                "\n      <caption>A run in progress, after a right answer</caption>"
                "\n      <image>${screenshot_url}</image>"
                "\n    </screenshot>"
                "\n  </screenshots>")
        endif()
    endif()
    string(REPLACE "&" "&amp;" SKORVEX_URL_ELEMENTS "${SKORVEX_URL_ELEMENTS}")
    configure_file(${template} ${out} @ONLY)
endfunction()

# The Debian package's maintainer: the setting if given, else the builder as
# Debian's own tools name them (DEBFULLNAME or NAME, DEBEMAIL or EMAIL), else
# the builder's login on this host.
function(skorvex_maintainer result setting)
    if(setting)
        set(${result} "${setting}" PARENT_SCOPE)
        return()
    endif()
    set(login "$ENV{LOGNAME}")
    if(NOT login)
        set(login "$ENV{USER}")
    endif()
    if(NOT login)
        set(login "builder")
    endif()
    set(name "$ENV{DEBFULLNAME}")
    if(NOT name)
        set(name "$ENV{NAME}")
    endif()
    set(email "$ENV{DEBEMAIL}")
    if(NOT email)
        set(email "$ENV{EMAIL}")
    endif()
    # DEBEMAIL may hold the whole "Name <address>".
    if(email MATCHES "<.*>")
        set(${result} "${email}" PARENT_SCOPE)
        return()
    endif()
    if(NOT email)
        cmake_host_system_information(RESULT host QUERY HOSTNAME)
        set(email "${login}@${host}")
    endif()
    if(NOT name)
        set(name "${login}")
    endif()
    set(${result} "${name} <${email}>" PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    skorvex_write_metainfo("${TEMPLATE}" "${OUT}" "${VERSION}" "${HOMEPAGE}" "${SCREENSHOT_URL}")
    skorvex_maintainer(maintainer "${MAINTAINER}")
    file(WRITE "${OUT}.maintainer" "${maintainer}\n")
endif()
