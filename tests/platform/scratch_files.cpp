#include "scratch_files.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace veyla::testing {

ScratchDir::ScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "veyla-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

ByteString Bytes(std::string_view text) {
  return ByteString(text.begin(), text.end());
}

void WriteFileBytes(const std::filesystem::path& path, const ByteString& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  std::vector<char> chars(bytes.begin(), bytes.end());
  out.write(chars.data(), static_cast<std::streamsize>(chars.size()));
  if (!out) throw std::runtime_error("cannot write " + path.string());
}

ByteString ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::vector<char> chars((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return ByteString(chars.begin(), chars.end());
}

int RunInChild(const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    int code = 127;
    try {
      code = body();
    } catch (...) {
    }
    ::_exit(code);
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
  }
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return WEXITSTATUS(status);
}

}  // namespace veyla::testing
