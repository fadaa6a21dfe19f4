# Thin wrapper over the CMake presets. `make run` and `make test` install what is missing first.
PRESET      ?= release
BIN         := build/bin
BENCH_ARGS  ?=
FUZZ_SECONDS ?= 60
JOBS        ?= $(shell nproc)

.PHONY: all deps configure build run test test-asan bench fuzz screenshot install package clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET) -j $(JOBS)

run: build
	@if [ -x $(BIN)/veyla ]; then exec $(BIN)/veyla; \
	 else echo "The window is not built yet (no $(BIN)/veyla)." >&2; exit 1; fi

test: build
	@ctest --preset $(PRESET) -j $(JOBS)

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	@ctest --preset asan -j $(JOBS)

bench: build
	@set -e; for b in $(BIN)/veyla-bench-*; do [ -x "$$b" ] || continue; echo "== $$b"; "$$b" $(BENCH_ARGS); done

# The window as it looks right after start-up, for the README (offscreen, no display needed).
screenshot: build
	@mkdir -p docs
	@QT_QPA_PLATFORM=offscreen $(BIN)/veyla-screenshot docs/window.png

clean:
	rm -rf build
