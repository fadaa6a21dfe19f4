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

# BENCH_ARGS go to every benchmark program; a filter that matches none of one program's
# benchmarks (exit status 1) is not a failure. Quote it for the shell: BENCH_ARGS='--benchmark_filter="A|B"'.
bench: build
	@status=0; for b in $(BIN)/veyla-bench-*; do [ -x "$$b" ] || continue; echo "== $$b"; \
	  "$$b" $(BENCH_ARGS) || { rc=$$?; [ $$rc -eq 1 ] || status=$$rc; }; done; exit $$status

# Each libFuzzer target for FUZZ_SECONDS from its seed corpus; any crash, leak or sanitizer
# report fails the run and leaves the input in build/fuzz/artifacts/.
FUZZ_TARGETS := decrypt_data read_message picture_decoder
fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)
	@mkdir -p build/fuzz/artifacts
	@set -e; for t in $(FUZZ_TARGETS); do \
	  [ -x build/fuzz/bin/fuzz_$$t ] || { echo "fuzz_$$t was not built" >&2; exit 1; }; \
	  mkdir -p build/fuzz/corpus/$$t; echo "== fuzz_$$t ($(FUZZ_SECONDS) s)"; \
	  build/fuzz/bin/fuzz_$$t -max_total_time=$(FUZZ_SECONDS) -timeout=10 -rss_limit_mb=2048 \
	    -artifact_prefix=build/fuzz/artifacts/$$t- -print_final_stats=1 \
	    build/fuzz/corpus/$$t fuzz/corpus/$$t 2>build/fuzz/$$t.log || { tail -40 build/fuzz/$$t.log; exit 1; }; \
	  grep -E '^stat::number_of_executed_units' build/fuzz/$$t.log || true; \
	done

# The window as it looks right after start-up, for the README (offscreen, no display needed).
screenshot: build
	@mkdir -p docs
	@QT_QPA_PLATFORM=offscreen $(BIN)/veyla-screenshot docs/window.png

# Installs under $(PREFIX), below $(DESTDIR) when it is set (staged installs).
install: build
	@DESTDIR="$(DESTDIR)" cmake --install build/$(PRESET) --prefix "$(PREFIX)"

# The Debian package, into build/package/veyla_<version>_<arch>.deb.
package: build
	@cpack --config build/$(PRESET)/CPackConfig.cmake -B "$(CURDIR)/build/package"
	@rm -rf build/package/_CPack_Packages

clean:
	rm -rf build
