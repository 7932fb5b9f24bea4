# `make run` and `make test` are all a fresh Debian 12 machine needs.
BUILD_DIR ?= build
BUILD_TYPE ?= RelWithDebInfo
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test package install-check clean

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

package: build
	@cmake --build $(BUILD_DIR) --target package

# Installs the package into a throw-away root and starts it there.
install-check: package
	@packaging/install-check $(BUILD_DIR)

clean:
	@rm -rf $(BUILD_DIR)
