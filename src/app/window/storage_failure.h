#pragma once
// What the fatal error box can say about storage that could not be obtained: the size of the
// last allocation that failed. The program's operator new (operator_new.cpp) records it; where
// that allocator is not in use (sanitizer builds) the size stays unknown.

#include <cstddef>
#include <optional>

namespace veyla::window {

void RecordFailedAllocation(std::size_t bytes) noexcept;

// nullopt when no failure has been recorded.
std::optional<std::size_t> LastFailedAllocationSize() noexcept;

}  // namespace veyla::window
