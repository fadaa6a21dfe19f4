#include "platform/descriptor.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace veyla::platform::detail {

namespace {
// Growth step when a descriptor holds more than expected (a pipe, a file that grew).
constexpr std::size_t kMinimumGrowth = std::size_t{64} * 1024;
}  // namespace

Result<std::size_t> ReadFully(int fd, std::span<std::uint8_t> buffer) {
  std::size_t filled = 0;
  while (filled < buffer.size()) {
    const ssize_t n = ::read(fd, buffer.data() + filled, buffer.size() - filled);
    if (n < 0) {
      if (errno == EINTR) continue;
      return ErrorFromErrno("read", errno);
    }
    if (n == 0) break;
    filled += static_cast<std::size_t>(n);
  }
  return filled;
}

Result<ByteString> ReadUpTo(int fd, std::size_t limit, std::size_t expected) {
  ByteString data;
  std::size_t filled = 0;
  std::size_t capacity = std::min(limit, expected);
  for (;;) {
    data.resize(capacity);
    auto got = ReadFully(fd, std::span(data).subspan(filled));
    if (!got) return got.error();
    filled += got.value();
    if (filled < capacity || capacity == limit) break;
    // Full: the descriptor may hold more. Probe with a small read before growing so that an
    // exactly-sized first buffer is not doubled just to meet the end.
    std::uint8_t probe[4096];
    const std::size_t probeSize = std::min(sizeof probe, limit - filled);
    auto extra = ReadFully(fd, std::span(probe, probeSize));
    if (!extra) return extra.error();
    if (extra.value() == 0) break;
    capacity = std::min(limit, std::max(capacity * 2, filled + kMinimumGrowth));
    data.resize(capacity);
    std::copy_n(probe, extra.value(), data.begin() + static_cast<std::ptrdiff_t>(filled));
    filled += extra.value();
  }
  data.resize(filled);
  return data;
}

Result<void> WriteAll(int fd, std::span<const std::byte> bytes, const std::string& operation) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return ErrorFromErrno(operation, errno);
    }
    bytes = bytes.subspan(static_cast<std::size_t>(n));
  }
  return {};
}

}  // namespace veyla::platform::detail
