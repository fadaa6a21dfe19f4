# Thin wrapper over the CMake presets. `make run` and `make test` install what is missing first.
PRESET      ?= release
BIN         := build/bin
BENCH_ARGS  ?=
FUZZ_SECONDS ?= 60
JOBS        ?= $(shell nproc)
PREFIX      ?= /usr/local
DESTDIR     ?=

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

# Installs under $(PREFIX), below $(DESTDIR) when it is set (staged installs).
install: build
	@DESTDIR="$(DESTDIR)" cmake --install build/$(PRESET) --prefix "$(PREFIX)"

# The Debian package, into build/package/veyla_<version>_<arch>.deb.
package: build
	@cpack --config build/$(PRESET)/CPackConfig.cmake -B "$(CURDIR)/build/package"
	@rm -rf build/package/_CPack_Packages

clean:
	rm -rf build
