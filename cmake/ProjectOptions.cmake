# Shared interface targets: every project target links veyla_warnings and veyla_sanitizers.

add_library(veyla_warnings INTERFACE)
target_compile_options(veyla_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
  -Wunused -Woverloaded-virtual -Wnull-dereference -Wimplicit-fallthrough)

add_library(veyla_sanitizers INTERFACE)
if(VEYLA_SANITIZE)
  target_compile_options(veyla_sanitizers INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  target_link_options(veyla_sanitizers INTERFACE -fsanitize=address,undefined)
endif()

# Fuzzing builds instrument the whole core for coverage; only the fuzz programs link libFuzzer.
if(VEYLA_BUILD_FUZZ)
  target_compile_options(veyla_sanitizers INTERFACE -fsanitize=fuzzer-no-link)
endif()
