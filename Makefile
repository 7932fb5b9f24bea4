# `make run` and `make test` are all a fresh Debian 12 machine needs.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test test-sanitize test-screen-reader test-colour-schemes test-without-fontconfig soak fuzz bench package install-check clean

all: build

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -z "$$DISPLAY$$WAYLAND_DISPLAY" ] && [ -z "$$QT_QPA_PLATFORM" ]; then \
		echo "skorvex needs a graphical display: run 'make run' from a desktop session (or over 'ssh -X'); no DISPLAY or WAYLAND_DISPLAY is set." >&2; \
		exit 1; \
	fi
	@$(BUILD_DIR)/skorvex

test: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

# The whole suite under AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer, in its own build folder.
test-sanitize: deps
	@cmake --preset asan >/dev/null
	@cmake --build build-asan -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --test-dir build-asan --output-on-failure -j $(JOBS)

# A build as on a system where CMake finds no fontconfig (Windows, macOS):
# the start-up font warm-up is left out, and every test still passes.
test-without-fontconfig: deps
	@cmake -S . -B build-without-fontconfig -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
		-DCMAKE_DISABLE_FIND_PACKAGE_Fontconfig=ON >/dev/null
	@grep -qx 'SKORVEX_FONT_WARM_UP:BOOL=OFF' build-without-fontconfig/CMakeCache.txt
	@cmake --build build-without-fontconfig -j $(JOBS)
	@! nm -C build-without-fontconfig/skorvex | grep -q FcInit
	@ctest --test-dir build-without-fontconfig --output-on-failure -j $(JOBS)

# A whole drill played by ear: Debian's Orca listens under a private Xvfb
# display and D-Bus, real X key events play, and each step waits until Orca
# has spoken what it must. Orca's speech log is kept in $(BUILD_DIR)/orca-speech.log.
test-screen-reader: build
	@scripts/install-deps orca xvfb xdotool dbus-x11 at-spi2-core
	@/usr/bin/python3 tests/screen_reader/orca_check.py $(BUILD_DIR)/skorvex $(BUILD_DIR)/orca-speech.log

# The window during a run under the light default, KDE Breeze Dark, GNOME
# Adwaita dark and GTK HighContrast on a private Xvfb display: every caption's
# contrast read from a screenshot. Screenshots go to $(BUILD_DIR)/schemes.
test-colour-schemes: build
	@scripts/install-deps xvfb qt6-gtk-platformtheme kde-style-breeze
	@tests/schemes/run $(BUILD_DIR)

# A long soak of random event sequences on the real window.
SOAK_SEEDS ?= 40
SOAK_EVENTS ?= 50000
soak: build
	@SKORVEX_SOAK_SEEDS=$(SOAK_SEEDS) SKORVEX_SOAK_EVENTS=$(SOAK_EVENTS) QT_QPA_PLATFORM=offscreen \
		$(BUILD_DIR)/tests/soak_tests --gtest_brief=1 2>/dev/null

# The runtime's text services under libFuzzer; fails on any finding.
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/install-deps clang libclang-rt-14-dev
	@cmake -S . -B build-fuzz -G Ninja -DSKORVEX_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build build-fuzz -j $(JOBS)
	@mkdir -p build-fuzz/corpus
	@build-fuzz/fuzz/text_fuzzer -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
		-artifact_prefix=build-fuzz/ build-fuzz/corpus fuzz/corpus

# Start-up against a bare Qt window under Xvfb, and the handlers' costs;
# writes build-bench/results.md.
bench: deps
	@scripts/install-deps xvfb libbenchmark-dev libx11-dev
	@cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DSKORVEX_BENCH=ON \
		-DBUILD_TESTING=OFF >/dev/null
	@cmake --build build-bench -j $(JOBS)
	@bench/run

package: build
	@cmake --build $(BUILD_DIR) --target package

# Installs the package into a throw-away root and starts it there.
install-check: package
	@packaging/install-check $(BUILD_DIR)

clean:
	@rm -rf $(BUILD_DIR)
