# Entry points for a fresh Debian machine: `make run` and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
# Words handed to the program by `make run`, e.g. make run ARGS=--help
ARGS ?=

.PHONY: deps deps-run deps-package deps-test configure configure-test build program test run \
        install uninstall deb bench bench-startup screenshot fuzz clean

# What building and running need; `deps-test` adds the test and benchmark toolchain.
deps-run:
	@scripts/install-deps.sh run
deps-package:
	@scripts/install-deps.sh package
deps-test:
	@scripts/install-deps.sh test
deps: deps-test

# Tests and benchmarks are built when GoogleTest and Google Benchmark are installed.
configure: deps-run
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPETSIM_REQUIRE_TEST_TOOLS=OFF >/dev/null

configure-test: deps-test
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPETSIM_REQUIRE_TEST_TOOLS=ON >/dev/null

build: configure-test
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# The program alone: what `make run`, `make install` and `make deb` need.
program: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target petsim

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure --no-tests=error -j $(JOBS)

run: program
	@scripts/run.sh $(BUILD_DIR)/src/petsim $(ARGS)

# The program (stripped), its default data folder, the desktop file and the icon under PREFIX
# (DESTDIR=... for a staging folder). What was installed is kept in
# $(BUILD_DIR)/make-install-manifest.txt for `make uninstall`.
install: program
	@scripts/install.sh $(BUILD_DIR) $(PREFIX) $(BUILD_DIR)/make-install-manifest.txt

uninstall:
	@scripts/uninstall.sh $(BUILD_DIR)/make-install-manifest.txt

# build/petsim_VERSION_ARCH.deb (CPack): apt install ./build/petsim_*.deb
deb: deps-package program
	@cd $(BUILD_DIR) && cpack -G DEB
	@ls $(BUILD_DIR)/petsim_*.deb

bench: build
	@for b in $(BUILD_DIR)/bench/bench_*; do echo "== $$b"; $$b; done

# Start-up time to the main window's first present and peak memory, under a private Xvfb.
bench-startup: deps-test program
	@scripts/bench-startup.sh $(BUILD_DIR)/src/petsim

# docs/screenshot.png: the program under a private Xvfb with a compositor.
screenshot: deps-test program
	@python3 scripts/screenshot.py $(BUILD_DIR)/src/petsim docs/screenshot.png

# Every fuzz target for FUZZ_SECONDS each (the tests run them for a minute or less).
FUZZ_SECONDS ?= 600
FUZZ_TARGETS ?= loader_fuzz records_fuzz replay_fuzz odds_fuzz
fuzz: deps-test
	@for t in $(FUZZ_TARGETS); do \
	  scripts/test-fuzz.sh . $(BUILD_DIR)/fuzz-$$t $(FUZZ_SECONDS) $$t || exit 1; \
	done

clean:
	@rm -rf $(BUILD_DIR)
