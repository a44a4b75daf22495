# Entry points for a fresh Debian machine: `make run` and `make test`.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: deps configure build test run bench clean

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

test: build
	@cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD_DIR)/bench/bench_*; do echo "== $$b"; $$b; done

run: build
	@scripts/run.sh $(BUILD_DIR)/src/petsim

clean:
	@rm -rf $(BUILD_DIR)
