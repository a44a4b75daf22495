# Entry points for a fresh Debian machine: `make run` and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
# Words handed to the program by `make run`, e.g. make run ARGS=--help
ARGS ?=

.PHONY: deps configure build program test run install bench bench-startup screenshot fuzz clean

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# The program alone: what `make run`, `make install` and the start-up benchmark need.
program: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target petsim

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

run: program
	@scripts/run.sh $(BUILD_DIR)/src/petsim $(ARGS)

# The program, its default data folder, the desktop file and the icon under PREFIX
# (DESTDIR=... for a staging folder).
install: program
	@cmake --install $(BUILD_DIR) --prefix $(PREFIX)

bench: build
	@for b in $(BUILD_DIR)/bench/bench_*; do echo "== $$b"; $$b; done

# Start-up time to the main window's first present and peak memory, under a private Xvfb.
bench-startup: program
	@scripts/bench-startup.sh $(BUILD_DIR)/src/petsim

# docs/screenshot.png: the program under a private Xvfb with a compositor.
screenshot: program
	@python3 scripts/screenshot.py $(BUILD_DIR)/src/petsim docs/screenshot.png

# Every fuzz target for FUZZ_SECONDS each (the tests run them for a minute or less).
FUZZ_SECONDS ?= 600
FUZZ_TARGETS ?= loader_fuzz records_fuzz replay_fuzz odds_fuzz
fuzz: deps
	@for t in $(FUZZ_TARGETS); do \
	  scripts/test-fuzz.sh . $(BUILD_DIR)/fuzz-$$t $(FUZZ_SECONDS) $$t || exit 1; \
	done

clean:
	@rm -rf $(BUILD_DIR)
