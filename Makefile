# SPDX-License-Identifier: GPL-3.0-or-later
# Quick start: `make run` opens the window, `make test` builds and runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DTESSERA_WERROR=$(if $(TESSERA_WERROR),ON,OFF)

.PHONY: all build run test test-unprivileged test-sanitize tsan fuzz mutants clean bootstrap bench \
	install deb

all: build

bootstrap:
	@scripts/bootstrap

$(BUILD)/CMakeCache.txt: | bootstrap
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: bootstrap $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/tessera

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	$(MAKE) test-unprivileged
	$(MAKE) test-sanitize

# Root writes through any mode bits, so as root (CI) the suite also runs as "nobody", the way a
# developer runs it; the window's tests only check layout and stay out.
NOBODY = setpriv --reuid=65534 --regid=65534 --clear-groups env HOME=/tmp TMPDIR=/tmp
test-unprivileged: build
	@if [ "$$(id -u)" != 0 ]; then exit 0; fi; \
	if ! $(NOBODY) test -x $(BUILD)/tessera_tests; then \
		echo "test-unprivileged: skipped, $(BUILD) is not readable by nobody"; exit 0; fi; \
	for t in tessera_format_tests tessera_tests; do \
		echo "test-unprivileged: $$t as nobody"; \
		$(NOBODY) $(BUILD)/$$t --gtest_brief=1 || exit 1; done

# `make install PREFIX=/usr/local DESTDIR=` installs the programs, desktop entry, icon, metainfo,
# manual pages and completion (GNUInstallDirs under PREFIX, everything below DESTDIR if given).
PREFIX ?= /usr/local

install: build
	DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

# `make deb`: Debian packages tessera-cli and tessera (CPack, dependencies from the binaries),
# from a release build of their own, into $(DEB_BUILD)/packages.
DEB_BUILD ?= build-deb

# Compiled with Debian's hardening flags (dpkg-buildflags, all of them), as Debian's packages are.
# They are read when $(DEB_BUILD) is first configured.
DEB_FLAGS = export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
            CXXFLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
            LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)"

deb: bootstrap
	$(DEB_FLAGS) cmake -S . -B $(DEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DTESSERA_TESTS=OFF \
		-DCMAKE_INSTALL_PREFIX=/usr -DTESSERA_WERROR=$(if $(TESSERA_WERROR),ON,OFF)
	cmake --build $(DEB_BUILD) -j $(JOBS)
	cd $(DEB_BUILD) && cpack -G DEB
	@ls $(DEB_BUILD)/packages/*.deb

# The same suite under AddressSanitizer and UndefinedBehaviorSanitizer, without the window (the
# window's tests only check layout); any report ends the test that caused it. The leak checker
# needs ptrace, which is taken when the tests themselves run under a tracer: it is off there.
SAN_BUILD ?= build-asan
SAN_LEAKS = $(shell grep -qs '^TracerPid:[[:space:]]*0$$' /proc/self/status && echo 1 || echo 0)
SAN_ENV = ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=$(SAN_LEAKS) \
          UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

test-sanitize: bootstrap
	cmake -S . -B $(SAN_BUILD) -DTESSERA_SANITIZE=ON -DTESSERA_GUI=OFF -DTESSERA_WERROR=ON
	cmake --build $(SAN_BUILD) -j $(JOBS)
	cd $(SAN_BUILD) && $(SAN_ENV) ctest --output-on-failure -j $(JOBS)

# The same suite under ThreadSanitizer: conversions share their work among threads. Kept out of
# `make test`, which it would make much longer.
TSAN_BUILD ?= build-tsan

tsan: bootstrap
	cmake -S . -B $(TSAN_BUILD) -DTESSERA_TSAN=ON -DTESSERA_GUI=OFF -DTESSERA_WERROR=ON
	cmake --build $(TSAN_BUILD) -j $(JOBS)
	cd $(TSAN_BUILD) && TSAN_OPTIONS=halt_on_error=1 ctest --output-on-failure -j $(JOBS)

# Times tessera-cli beside `xxd -i` and `cat` on inputs it makes itself (bench/out, git-ignored).
# The tessera-cli timed is the one the packages ship: linked to the system's shared libraries.
bench: bootstrap
	cmake -S . -B build-bench -DTESSERA_GUI=OFF -DTESSERA_TESTS=OFF -DCMAKE_BUILD_TYPE=Release
	cmake --build build-bench -j $(JOBS)
	bench/run.sh build-bench/tessera-cli

# libFuzzer targets (clang) under both sanitizers, each run FUZZ_SECONDS from small seeds.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60

fuzz: bootstrap
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DTESSERA_FUZZ=ON -DTESSERA_SANITIZE=ON \
		-DTESSERA_GUI=OFF -DTESSERA_TESTS=OFF -DTESSERA_WERROR=ON
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	scripts/fuzz $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Each fault of scripts/mutants.list in a copy of the tree (build-mutants), built and tested: the
# count caught, and a failure when any goes unnoticed. Too slow for `make test`.
mutants: bootstrap
	JOBS=$(JOBS) scripts/mutants

clean:
	rm -rf $(BUILD) $(SAN_BUILD) $(TSAN_BUILD) $(FUZZ_BUILD) $(DEB_BUILD) fuzz-out build-bench \
		build-mutants
