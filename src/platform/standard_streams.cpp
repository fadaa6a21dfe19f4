#include "platform/standard_streams.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

#include "platform/descriptor.h"

namespace veyla::platform {

namespace {

// What a regular file on standard input still holds; 0 (unknown) for pipes and terminals.
std::size_t ExpectedInputSize() {
  struct stat st {};
  if (::fstat(STDIN_FILENO, &st) != 0 || !S_ISREG(st.st_mode)) return 0;
  const off_t position = ::lseek(STDIN_FILENO, 0, SEEK_CUR);
  if (position < 0 || position >= st.st_size) return 0;
  return static_cast<std::size_t>(st.st_size - position);
}

}  // namespace

void EnsureStandardStreamsOpen() {
  for (const int fd : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO}) {
    if (::fcntl(fd, F_GETFD) >= 0 || errno != EBADF) continue;
    // open returns the lowest free number, which is this one.
    const int opened = ::open("/dev/null", fd == STDIN_FILENO ? O_RDONLY : O_WRONLY);
    if (opened >= 0 && opened != fd) ::close(opened);
  }
}

bool StandardInputIsTerminal() {
  return ::isatty(STDIN_FILENO) == 1;
}

Result<ByteString> ReadStandardInput() {
  return detail::ReadUpTo(STDIN_FILENO, std::numeric_limits<std::size_t>::max(),
                          ExpectedInputSize());
}

Result<void> WriteStandardOutput(std::span<const std::uint8_t> bytes) {
  return detail::WriteAll(STDOUT_FILENO, std::as_bytes(bytes), "write");
}

Result<void> WriteStandardOutput(std::string_view text) {
  return detail::WriteAll(STDOUT_FILENO, std::as_bytes(std::span(text)), "write");
}

void WriteStandardError(std::string_view text) {
  (void)detail::WriteAll(STDERR_FILENO, std::as_bytes(std::span(text)), "write");
}

}  // namespace veyla::platform
