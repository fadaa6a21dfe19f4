#pragma once
// Helpers for tests that work on real files: a private folder under /tmp that is removed
// afterwards, whole-file reads and writes that bypass the code under test, and child
// processes for limits and privileges the test process must not take on itself.

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "common/byte_string.h"

namespace veyla::testing {

class ScratchDir {
 public:
  ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  ~ScratchDir();

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

ByteString Bytes(std::string_view text);
void WriteFileBytes(const std::filesystem::path& path, const ByteString& bytes);
ByteString ReadFileBytes(const std::filesystem::path& path);

// The user and group the privilege tests drop to.
inline constexpr uid_t kNobody = 65534;

// Runs `body` in a forked child and returns its exit code; 128 + n when signal n ended it.
int RunInChild(const std::function<int()>& body);

}  // namespace veyla::testing
