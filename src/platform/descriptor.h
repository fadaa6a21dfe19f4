#pragma once
// Loops over the system's read and write calls on a raw descriptor, shared by the file and
// standard-stream modules of the platform layer. Interrupted calls are repeated; a short
// count is followed by another call until the request is met, the end is reached or the
// system reports an error.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "common/byte_string.h"
#include "common/error.h"

namespace veyla::platform::detail {

// Reads until `buffer` is full or the end is reached; the number of bytes read.
Result<std::size_t> ReadFully(int fd, std::span<std::uint8_t> buffer);

// Reads up to `limit` bytes, until the end. `expected` (what the descriptor is believed to
// hold, 0 when unknown) sizes the first allocation; beyond it the buffer grows geometrically.
Result<ByteString> ReadUpTo(int fd, std::size_t limit, std::size_t expected);

// Writes every byte of `bytes`.
Result<void> WriteAll(int fd, std::span<const std::byte> bytes, const std::string& operation);

}  // namespace veyla::platform::detail
