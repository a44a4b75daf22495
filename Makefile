# Entry points for a fresh Debian machine: `make run` and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local
# Words handed to the program by `make run`, e.g. make run ARGS=--help
ARGS ?=

.PHONY: deps configure build program test run install bench bench-startup screenshot clean

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

clean:
	@rm -rf $(BUILD_DIR)
