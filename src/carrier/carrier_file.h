#pragma once
// Reading and writing hidden blocks in a carrier file. Only the trailer and the ciphertext
// are ever read, so the cost does not grow with the carrier's size.

#include <cstdint>
#include <filesystem>

#include "carrier/hidden_block.h"
#include "common/byte_string.h"
#include "common/error.h"
#include "platform/file.h"

namespace veyla::carrier {

// The last 12 bytes of the open file; the empty ByteString when the file is shorter than 12
// bytes (positioning before the start fails) or the file is not open.
Result<ByteString> ReadTail(platform::File& file);

// The `cipherLength` bytes in front of the trailer. The empty ByteString when the length is
// 0 or negative or when length + 12 exceeds the file: never a read before the start.
Result<ByteString> ReadCiphertext(platform::File& file, std::int32_t cipherLength);

// Appends one block (ciphertext, flag, length, marker) to the existing regular file at `path`
// in one write request and syncs it. On any failure the file holds exactly the bytes it held
// before, and nothing is created. A ciphertext of 2^31 bytes or more, whose length the
// trailer cannot hold, is refused with ErrorKind::FileTooLarge before anything is written.
Result<void> AppendBlock(const std::filesystem::path& path, const ByteString& ciphertext,
                         std::int32_t passwordFlag);

// The same on a file already opened with File::OpenForAppending (for a caller that wants to
// know the file can be written before it prepares the block). The file stays open.
Result<void> AppendBlock(platform::File& file, const ByteString& ciphertext,
                         std::int32_t passwordFlag);

}  // namespace veyla::carrier
