# SPDX-FileCopyrightText: 2026 The Skorvex developers
# SPDX-License-Identifier: GPL-3.0-or-later

# `make run` and `make test` are all a fresh Debian 12 machine needs.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)
# The version as CMake's project() has it: written there only.
VERSION := $(shell sed -n 's/^project.skorvex VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)

# Whatever a build stamps with a time gets the time of the last commit, so that
# one commit always gives the same package. A release tarball has no history:
# git archive wrote that time into packaging/source-date.
ifneq ($(wildcard .git),)
SOURCE_DATE_EPOCH ?= $(shell git log -1 --format=%ct)
else
SOURCE_DATE_EPOCH ?= $(shell grep -x '[0-9][0-9]*' packaging/source-date)
endif
ifneq ($(SOURCE_DATE_EPOCH),)
export SOURCE_DATE_EPOCH
endif

.PHONY: help all deps configure build run test tidy web web-package web-release-check run-web test-web test-web-screen-reader bench-web windows test-windows windows-source windows-package windows-package-check windows-source-check test-sanitize test-screen-reader test-colour-schemes test-without-fontconfig test-environments test-debian13 soak fuzz bench package package-check dist install-check clean

.DEFAULT_GOAL := all
help: ## each target with its one line
	@sed -n 's/^\([a-z0-9-]*\):.*## \(.*\)/\1\t\2/p' $(MAKEFILE_LIST) | \
		sed 's/$$(BUILD_DIR)/$(BUILD_DIR)/; s/$$(WEB_DIR)/$(WEB_DIR)/; s/$$(WINDOWS_DIR)/$(WINDOWS_DIR)/' | \
		expand -t 26

all: build ## the program, in $(BUILD_DIR)/ (as make build)

deps: ## installs with apt what the build and the suite need
	@scripts/install-deps

configure: deps ## configures $(BUILD_DIR)/ with CMake and Ninja
	@cmake --preset default -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
		"-DSKORVEX_MAINTAINER=$${SKORVEX_MAINTAINER:-}" >/dev/null

build: configure ## builds the program and the suite
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build ## builds and opens the window
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
		echo "skorvex needs a graphical display: run 'make run' from a desktop session (or over 'ssh -X'); no DISPLAY or WAYLAND_DISPLAY is set." >&2; \
		exit 1; \
	fi
	@$(BUILD_DIR)/skorvex

test: build ## builds and runs every test, headless
	@ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# clang-tidy on the program's C++, as the build compiles it.
tidy: build ## the program's C++ through clang-tidy (.clang-tidy), warnings as errors
	@scripts/install-deps clang-tidy
	@scripts/tidy-check $(BUILD_DIR)

# The whole suite under AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer, in its own build folder.
test-sanitize: deps ## the suite under AddressSanitizer, UBSan and LeakSanitizer
	@cmake --preset asan >/dev/null
	@cmake --build build-asan -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --test-dir build-asan --output-on-failure -j $(JOBS)

# A build as on a system where CMake finds no fontconfig (Windows, macOS):
# the start-up font warm-up is left out, and every test still passes.
test-without-fontconfig: deps ## the suite built as where CMake finds no fontconfig
	@cmake --preset no-fontconfig -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null
	@grep -qx 'SKORVEX_FONT_WARM_UP:BOOL=OFF' build-without-fontconfig/CMakeCache.txt
	@cmake --build build-without-fontconfig -j $(JOBS)
	@! nm -C build-without-fontconfig/skorvex | grep -q FcInit
	@ctest --test-dir build-without-fontconfig --output-on-failure -j $(JOBS)

# The suite again under the sessions a contributor or packager may run it
# from: fonts of their own, GNOME's gtk3 theme in Adwaita dark on a live
# display, KDE Plasma, doubled scaling, another style, other locales. Each
# must give the answer make test gives.
test-environments: build ## the suite under other fonts, themes, scaling, styles and locales
	@scripts/install-deps xvfb qt6-gtk-platformtheme kde-style-breeze fonts-liberation2 locales
	@tests/environments/run $(BUILD_DIR)

# A whole drill played by ear: Debian's Orca listens under a private Xvfb
# display and D-Bus, real X key events play, and each step waits until Orca
# has spoken what it must. Orca's speech log is kept in $(BUILD_DIR)/orca-speech.log.
test-screen-reader: build ## a drill played by real keys while Orca listens
	@scripts/install-deps orca speech-dispatcher-espeak-ng xvfb xdotool xclip dbus-x11 at-spi2-core
	@/usr/bin/python3 -m checks.linux.orca $(BUILD_DIR)/skorvex $(BUILD_DIR)/orca-speech.log

# Each desktop set-up on a private Xvfb display: Qt's light default, GNOME
# Adwaita light and dark, KDE Breeze Dark (with Plasma's own theme and the
# Breeze style where Debian has them for Qt 6) and GTK HighContrast. Caption,
# outline and state contrast read from screenshots, the keyboard tests under
# each theme, and real X keys: one accessible application, the icon, the tab
# order, Enter from a setting and from an option button. Screenshots go to
# $(BUILD_DIR)/schemes.
KDE_QT6 = $(shell apt-cache show plasma-integration 2>/dev/null | grep -q '^Depends:.*libqt6' && echo plasma-integration)
test-colour-schemes: build ## five desktop set-ups: contrast from screenshots, real keys
	@scripts/install-deps xvfb xdotool x11-utils dbus-x11 at-spi2-core gir1.2-atspi-2.0 python3-gi qt6-gtk-platformtheme kde-style-breeze $(KDE_QT6)
	@tests/schemes/run $(BUILD_DIR)

# A long soak of random event sequences on the real window.
SOAK_SEEDS ?= 40
SOAK_EVENTS ?= 50000
soak: build ## long random event sequences on the window
	@SKORVEX_SOAK_SEEDS=$(SOAK_SEEDS) SKORVEX_SOAK_EVENTS=$(SOAK_EVENTS) QT_QPA_PLATFORM=offscreen \
		$(BUILD_DIR)/tests/soak_tests --gtest_brief=1 2>/dev/null

# The runtime's text services under libFuzzer; fails on any finding.
FUZZ_SECONDS ?= 60
fuzz: ## libFuzzer on the text conversions
	@scripts/install-deps clang libclang-rt-14-dev
	@cmake --preset fuzz >/dev/null
	@cmake --build build-fuzz -j $(JOBS)
	@mkdir -p build-fuzz/corpus
	@build-fuzz/fuzz/text_fuzzer -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
		-artifact_prefix=build-fuzz/ build-fuzz/corpus fuzz/corpus

# Start-up against a bare Qt window under Xvfb, and the handlers' costs;
# writes build-bench/results.md.
bench: deps ## start-up and handler costs on the desktop
	@scripts/install-deps xvfb dbus-x11 at-spi2-core orca speech-dispatcher-espeak-ng libbenchmark-dev libx11-dev libxdamage-dev
	@cmake --preset bench >/dev/null
	@cmake --build build-bench -j $(JOBS)
	@bench/run

# The drill for a web page, $(WEB_DIR)/: a folder of static files that any web
# server can serve. Built on Debian 13 with its emscripten, against a Qt built
# once from Debian 13's qt6-base source (kept in the cache): directly on
# Debian 13, and from Debian 12 (as root) in a Debian 13 system kept in the
# cache (scripts/in-debian13). The program's own build folder is $(WASM_DIR).
WEB_DIR ?= build-web
WASM_DIR ?= build-wasm
web: deps ## the page, in $(WEB_DIR)/ (in Debian 13)
	@scripts/in-debian13 packaging/web/build $(WEB_DIR) $(WASM_DIR)

# The page's release in $(WEB_DIR)-release: skorvex-$(VERSION)-web.zip, the
# page with its precompressed files for any web server, and
# skorvex-$(VERSION)-web-source.tar.gz, its complete source with Debian 13's
# qt6-base source and our changes to it.
web-package: web ## the page as a zip, and its complete source
	@scripts/install-deps zip
	@packaging/web/package $(WEB_DIR) $(WEB_DIR)-release $(VERSION)

# The page's release built a second time, from a clone of the commit in
# another folder, against the same Qt: both files must come out byte for
# byte the same.
web-release-check: web-package ## the page's release built twice and compared
	@packaging/release-check $(WEB_DIR)-release web-package build-web-release \
		skorvex-$(VERSION)-web.zip skorvex-$(VERSION)-web-source.tar.gz

# Serves $(WEB_DIR) on localhost and opens it in the default browser.
run-web: web ## serves the page on localhost and opens it
	@/usr/bin/python3 scripts/serve-web $(WEB_DIR)

# The suite built for WebAssembly and run by CTest in headless Chromium (on
# Debian 13, as make web), then the page itself: a real run in Debian's
# Chromium by DevTools keys and touches, its accessibility tree, live region
# and axe-core, the page drawn by Firefox ESR and WebKitGTK, and played by ear
# in all three with Orca listening. Screenshots and Orca's logs go to
# $(WEB_DIR)-screens.
WEB_CHECK_DEPS := chromium firefox-esr gir1.2-webkit2-4.1 python3-gi python3-gi-cairo \
	xvfb xdotool xclip imagemagick python3-pil orca speech-dispatcher-espeak-ng dbus-x11 at-spi2-core
test-web: web ## the suite in Chromium, the page in three browsers, with Orca
	@scripts/in-debian13 tests/web/suite $(WEB_DIR) $(WASM_DIR)
	@scripts/install-deps $(WEB_CHECK_DEPS)
	@tests/web/run $(WEB_DIR)

# The page already built in $(WEB_DIR) heard through Orca alone, in the three
# browsers: how make test-debian13 hears it with Debian 13's Orca.
test-web-screen-reader: ## the page already built heard through Orca in three browsers
	@test -f $(WEB_DIR)/index.html || { echo "no page in $(WEB_DIR): make web first"; exit 1; }
	@scripts/install-deps $(WEB_CHECK_DEPS)
	@/usr/bin/python3 -m checks.web.orca_page $(WEB_DIR) $(WEB_DIR)-screens

# The page's time to its first drawn window in headless Chromium, against a
# bare Qt window of a label and a button with the same Qt (with no fonts, and
# with the two an unpatched Qt's page embeds), and its size.
bench-web: web ## the page's start-up against a bare Qt page, and its size
	@scripts/in-debian13 scripts/install-deps fonts-dejavu-mono
	@scripts/in-debian13 packaging/web/build $(WEB_DIR) $(WASM_DIR) label_button_window label_button_qt_fonts_window
	@scripts/install-deps chromium brotli python3-pil
	@/usr/bin/python3 -m checks.web.startup $(WEB_DIR) $(WASM_DIR)

# The Windows program, $(WINDOWS_DIR)/skorvex.exe, built here with Debian's
# MinGW-w64 against a Qt built once from Debian's own qt6-base source (kept in
# ~/.cache/skorvex, or SKORVEX_CACHE): one file that needs no DLL but Windows'
# own.
WINDOWS_DIR ?= build-windows
windows: deps ## the Windows program, $(WINDOWS_DIR)/skorvex.exe
	@scripts/install-deps g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
	@packaging/windows/configure $(WINDOWS_DIR)
	@cmake --build $(WINDOWS_DIR) -j $(JOBS) --target skorvex
	@echo "make windows: $(WINDOWS_DIR)/skorvex.exe, $$(stat -c %s $(WINDOWS_DIR)/skorvex.exe) bytes, imports" \
		$$(x86_64-w64-mingw32-objdump -p $(WINDOWS_DIR)/skorvex.exe | sed -n 's/^[[:space:]]*DLL Name: //p')

# The Windows program under Wine on a private Xvfb display: what the file
# carries, the whole suite built for Windows and run by CTest under Wine 8, and
# the real window played by real X keys; then, under Debian 13's Wine 10 (in
# the Debian 13 system of scripts/in-debian13, so as root on Debian 12), the
# names a UI Automation client reads and every sentence the program raises.
# Screenshots go to $(WINDOWS_DIR)/windows-screens and wine10-screens.
test-windows: windows ## the Windows program and its suite under Wine
	@scripts/install-deps wine64 xvfb xdotool imagemagick python3-pil icoutils
	@cmake --build $(WINDOWS_DIR) -j $(JOBS)
	@tests/windows/run $(WINDOWS_DIR)

# The complete source of the Windows program,
# $(WINDOWS_DIR)/skorvex-$(VERSION)-windows-source.tar.gz: our source release and
# Debian's qt6-base source package exactly as Qt was built from it.
windows-source: windows ## the Windows program's complete source
	@packaging/windows/source $(WINDOWS_DIR) $(VERSION)

# The Windows release beside the program: the portable zip
# skorvex-$(VERSION)-windows-x86_64.zip, the installer
# skorvex-$(VERSION)-setup.exe (Debian's NSIS; per user, or /AllUsers) and the
# MSI skorvex-$(VERSION)-x64.msi for every user (Debian's wixl), all naming
# that source. Signed where SIGN_PKCS12 and SIGN_PASSWORD_FILE name a
# certificate and its password.
windows-package: windows-source ## the Windows release: zip, installer, MSI and source
	@scripts/install-deps nsis wixl python3-olefile $(if $(SIGN_PKCS12),osslsigncode)
	@packaging/windows/package $(WINDOWS_DIR) $(VERSION)

# The release under Wine (the installer for one user and for all, its
# uninstaller, the MSI and a newer one over it, the zip, each played by real
# keys), signing with a certificate made for the check, then a second build of
# the commit in another folder, which must give the same bytes.
windows-package-check: windows-package ## the Windows release installed under Wine, and built twice
	@scripts/install-deps wine64 xvfb xdotool imagemagick python3-pil osslsigncode openssl unzip
	@tests/windows/package-check $(WINDOWS_DIR) $(VERSION)
	@tests/windows/sign-check $(WINDOWS_DIR) $(VERSION)
	@packaging/release-check $(WINDOWS_DIR) windows-package build-windows skorvex.exe \
		skorvex-$(VERSION)-windows-x86_64.zip skorvex-$(VERSION)-setup.exe \
		skorvex-$(VERSION)-x64.msi skorvex-$(VERSION)-windows-source.tar.gz

# skorvex.exe built again from the source release alone, with no git and no
# network, Qt included (about half an hour), and compared byte for byte.
# QT=cached builds only the program, against the Qt cache, once it has
# checked that Qt was built from the release's own qt6-base files.
windows-source-check: windows-source ## the Windows program again from its source release alone
	@packaging/windows/source-check $(WINDOWS_DIR) $(VERSION)

# The Debian package. Its maintainer is SKORVEX_MAINTAINER="Name <address>",
# else DEBFULLNAME and DEBEMAIL, else the builder's login on this host.
package: build ## the Debian package
	@cmake --build $(BUILD_DIR) --target package >/dev/null
	@echo "make package: $(BUILD_DIR)/skorvex_$(VERSION)_amd64.deb, maintainer $$(dpkg-deb -f $(BUILD_DIR)/skorvex_$(VERSION)_amd64.deb Maintainer)"
	@[ -n "$${SKORVEX_MAINTAINER:-}" ] || echo "make package: SKORVEX_MAINTAINER is not set, so the maintainer above stands in; name one with: make package SKORVEX_MAINTAINER='Name <address>'"

# The source release, $(BUILD_DIR)/skorvex-$(VERSION).tar.gz, from the
# committed tree: the same commit always gives the same bytes.
dist: ## the source tarball
	@packaging/dist $(BUILD_DIR) $(VERSION)

# What Debian would check before taking the package: lintian, two builds of the
# commit in two folders compared byte for byte, and the tarball built and
# tested where there is no git.
package-check: deps ## lintian, two builds compared, the tarball built without git
	@scripts/install-deps lintian diffoscope-minimal
	@packaging/debian/package-check $(BUILD_DIR) $(VERSION)

# The checks above on Debian 13 "trixie", in a chroot made by debootstrap
# from the archive apt uses (as root): make test, the colour schemes, the
# screen reader, package-check and install-check, the page heard through
# Orca there, and whether this machine's package installs and starts there.
test-debian13: web ## the checks again on Debian 13, as root
	@scripts/debian13-check $(BUILD_DIR) $(WEB_DIR)

# Asks apt whether the package installs here, unpacks it into a throw-away
# root and starts it there.
install-check: package ## apt installs the package here; unpacked, it starts
	@packaging/debian/install-check $(BUILD_DIR)

clean: ## removes $(BUILD_DIR)/
	@rm -rf $(BUILD_DIR)
