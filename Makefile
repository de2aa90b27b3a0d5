# Velunor: set-up, build, run and test on Debian.
# Every target first installs the Debian packages that are missing: `make
# run` (and build) only what building and running need, the test and check
# targets also what the tests need.

SHELL := /bin/bash
JOBS ?= $(shell nproc)

# What building and running the programs needs (make run): the build
# tools, the libraries (the tests' too: the build configures them) and
# Qt's X11 and Wayland platforms.
RUN_PACKAGES := cmake ninja-build g++ pkg-config ccache \
  libgtest-dev libgmock-dev libbenchmark-dev libcrypto++-dev libcli11-dev \
  libssl-dev zlib1g-dev librhash-dev python3 \
  qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-wayland libgl-dev libx11-dev \
  libwayland-dev libwayland-bin wayland-protocols fonts-liberation

# What the tests, the checks and CI need besides: X servers and tools to
# drive them, clipboard histories, the mail programs the recipes are tested
# with (neomutt in tmux, Claws Mail), the Windows cross build and Wine, the
# fuzzing compiler, the package checkers, NSIS for the Windows installer.
TEST_PACKAGES := rhash time openssl \
  xvfb xauth xdotool xclip x11-utils x11-apps openbox wmctrl copyq neomutt tmux claws-mail \
  clang clang-format libclang-rt-14-dev g++-mingw-w64-x86-64 binutils \
  dpkg-dev fakeroot lintian desktop-file-utils appstream man-db \
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix googletest wine wine64 nsis locales

# The locales the Windows tests run Wine in: Wine takes Windows' language and
# the character set of the arguments from the locale, which must exist.
TEST_LOCALES := de_DE en_US

# The Wayland compositors the desktop tests start, without what they only
# recommend (KDE's would bring its whole desktop).
COMPOSITOR_PACKAGES := sway weston xwayland mutter kwin-wayland wl-clipboard dbus

.PHONY: all deps test-deps configure build run test test-sanitize check-win32 check-hardening bench fuzz \
  fuzz-smoke install package check-package windows windows-package test-windows clean format check-format \
  check-layers

all: build

# Installs the packages of the list $(1) that are missing, with the apt-get
# options $(2).
define install_missing
	@missing=""; \
	for p in $(1); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q 'ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing:$$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $(2)$$missing; \
	  else \
	    echo "Missing Debian packages. Install them with:"; \
	    echo "  sudo apt-get install $(2)$$missing"; \
	    exit 1; \
	  fi; \
	fi
endef

# Makes the UTF-8 locales of the list $(1) that are missing.
define make_missing_locales
	@for l in $(1); do \
	  locale -a | grep -qx "$$l.utf8" && continue; \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Making the locale $$l.UTF-8"; localedef -i $$l -f UTF-8 $$l.UTF-8 || exit 1; \
	  else \
	    echo "Missing locale. Make it with:"; echo "  sudo localedef -i $$l -f UTF-8 $$l.UTF-8"; exit 1; \
	  fi; \
	done
endef

deps:
	$(call install_missing,$(RUN_PACKAGES),)

test-deps: deps
	$(call install_missing,$(TEST_PACKAGES),)
	$(call install_missing,$(COMPOSITOR_PACKAGES),--no-install-recommends )
	$(call make_missing_locales,$(TEST_LOCALES))

configure: deps
	@cmake --preset default > /dev/null

build: configure
	cmake --build --preset default -j $(JOBS)

run: build
	@tools/run.sh build/bin

test: build test-deps
	ctest --preset default -j $(JOBS)

test-sanitize: test-deps
	@cmake --preset sanitize > /dev/null
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

# The Windows implementations of the platform layer and of the file saving,
# the Win32 window program and the stand-in mail client cannot be built
# here; the MinGW-w64 cross compiler checks that they still compile.
WIN32_CXX := x86_64-w64-mingw32-g++
WIN32_CXXFLAGS := -std=c++20 -Wall -Wextra -Wpedantic -Wconversion -Wsign-conversion -Wshadow \
  -Wnon-virtual-dtor -Woverloaded-virtual -Werror -Isrc

check-win32: test-deps
	$(WIN32_CXX) $(WIN32_CXXFLAGS) -fsyntax-only src/platform/window_system.cpp src/platform/win32_window_system.cpp \
	  src/files/file_replacement.cpp src/files/in_place_rewrite.cpp src/files/ending_signals.cpp
	$(WIN32_CXX) $(WIN32_CXXFLAGS) -DUNICODE -D_UNICODE -DWIN32_LEAN_AND_MEAN -DNOMINMAX -fsyntax-only \
	  src/win32/*.cpp tools/mailclient-stub/mailclient_stub_windows.cpp
	@echo "Win32 platform layer, file saving, window program and stand-in mail client: compile"

# Windows: cmvelunor.exe and velunor.exe (statically linked), the library's
# tests and the Win32 tests, cross-compiled with MinGW-w64 into
# build-windows/bin; the programs' icon is drawn by the Linux build first
# (with Qt, which the cross build lacks). windows-package packs the programs
# as a portable zip and an NSIS installer in build-windows; test-windows runs
# the tests under Wine, on a display of their own for the windows, the
# installer's among them.
windows: configure test-deps
	cmake --build --preset default --target cmvelunor_icons
	@cmake --preset windows > /dev/null
	cmake --build --preset windows -j $(JOBS)

windows-package: windows
	cmake --build --preset windows --target windows_package

test-windows: windows-package
	tests/gui/with_xvfb.sh tests/windows/with_wine.sh $(CURDIR)/build-windows/wine \
	  ctest --preset windows

# The release binaries carry Debian's hardening (see tools/check-hardening.sh);
# the check itself first shows that it catches each missing protection.
check-hardening: build test-deps
	tools/test-check-hardening.sh
	tools/check-hardening.sh build/bin/velunor build/bin/cmvelunor

bench: build test-deps
	build/bin/velunor_bench --benchmark_min_time=0.5 --benchmark_repetitions=3 \
	  --benchmark_display_aggregates_only=true

fuzz: test-deps
	@cmake --preset fuzz > /dev/null
	cmake --build --preset fuzz -j $(JOBS)
	@echo "Run a target, e.g.: build-fuzz/bin/fuzz_text_to_bytes -max_total_time=300 fuzz/corpus/fuzz_text_to_bytes"

# Every fuzz target, briefly, on its seeds (CI runs this).
fuzz-smoke: fuzz
	tools/fuzz-smoke.sh build-fuzz

install: build
	cmake --install build

# The Debian package build/velunor_<version>_amd64.deb; check-package runs
# lintian, the desktop entry and AppStream validators and the packaged tool.
package: build
	cd build && cpack
	@echo "Install it with: sudo apt install ./$$(ls build/velunor_*_amd64.deb)"

check-package: package test-deps
	tests/package/check_package.sh build/velunor_*_amd64.deb

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

check-format: test-deps
	git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
	@echo "Sources: clang-format clean"

# No source includes a header of a library above its own.
check-layers:
	tools/check-include-layers.sh

clean:
	rm -rf build build-sanitize build-fuzz build-windows
