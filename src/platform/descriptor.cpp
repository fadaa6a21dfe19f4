#include "platform/descriptor.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <stdexcept>

namespace veyla::platform::detail {

namespace {
// Growth step when a descriptor holds more than expected (a pipe, a file that grew).
constexpr std::size_t kMinimumGrowth = std::size_t{64} * 1024;

// From this size on, a buffer asks for transparent huge pages: filling 64 MiB in 4 KiB
// pages takes 16384 page faults, a good share of the time a large hide takes.
constexpr std::size_t kHugePageThreshold = std::size_t{4} << 20;
constexpr std::uintptr_t kHugePageSize = std::uintptr_t{2} << 20;

// Reserves `capacity` bytes and, for a large buffer, advises the kernel to back its whole
// huge pages with huge pages before anything touches them. Advice only: ignored where the
// kernel has none.
void ReserveForLargeRead(ByteString& data, std::size_t capacity) {
  data.reserve(capacity);
  if (capacity < kHugePageThreshold) return;
  const auto start = reinterpret_cast<std::uintptr_t>(data.data());
  const std::uintptr_t first = (start + kHugePageSize - 1) & ~(kHugePageSize - 1);
  const std::uintptr_t last = (start + capacity) & ~(kHugePageSize - 1);
  if (last > first) {
    ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
  }
}

Result<ByteString> ReadUpToInMemory(int fd, std::size_t limit, std::size_t expected) {
  ByteString data;
  std::size_t filled = 0;
  std::size_t capacity = std::min(limit, expected);
  ReserveForLargeRead(data, capacity);
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
  try {
    return ReadUpToInMemory(fd, limit, expected);
  } catch (const std::bad_alloc&) {
    return ErrorFromErrno("read", ENOMEM);
  } catch (const std::length_error&) {
    return ErrorFromErrno("read", ENOMEM);
  }
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
