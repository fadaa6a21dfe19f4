#include "app/window/storage_failure.h"

#include <atomic>

namespace veyla::window {
namespace {

// 0: nothing recorded (a request for 0 bytes is served as 1 and never fails for its size).
std::atomic<std::size_t> lastFailedSize{0};

}  // namespace

void RecordFailedAllocation(std::size_t bytes) noexcept {
  lastFailedSize.store(bytes);
}

std::optional<std::size_t> LastFailedAllocationSize() noexcept {
  const std::size_t bytes = lastFailedSize.load();
  if (bytes == 0) {
    return std::nullopt;
  }
  return bytes;
}

}  // namespace veyla::window
