#pragma once
// The fuzzers that exercise code reading a named file write each input to one scratch file per
// process, in memory-backed /dev/shm where there is one, so an input costs no disk I/O.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace veyla::fuzzing {

// Writes the input to this process's scratch file for `purpose` and gives its path; the
// empty string when it cannot be written.
inline std::string WriteInputFile(const char* purpose, const std::uint8_t* data,
                                  std::size_t size) {
  static const std::string folder =
      std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
  const std::string path =
      folder + "/veyla-fuzz-" + purpose + "-" + std::to_string(::getpid());
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return {};
  const bool written = std::fwrite(data, 1, size, f) == size;
  return std::fclose(f) == 0 && written ? path : std::string();
}

}  // namespace veyla::fuzzing
