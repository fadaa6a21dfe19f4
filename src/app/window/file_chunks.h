#pragma once
// Reads an open file from its current position to its end in fixed-size chunks, so a decoder
// can work straight from the file while only one chunk sits in memory.
//
// The first chunk is read at construction so its front can be looked at (format sniffing)
// before the decoder starts; Next() then hands it out first. A read error ends the stream like
// the end of the file does, and Failed() says so.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "platform/file.h"

namespace veyla::window {

class FileChunks {
 public:
  static constexpr std::size_t kChunkSize = 64 * 1024;

  // `file` must outlive this object; a file that names no open file reads as empty.
  explicit FileChunks(platform::File& file);

  // The first chunk (all of a file shorter than a chunk); empty for an empty file.
  std::span<const std::uint8_t> Front() const;
  // The next chunk; the first call gives Front(). Empty at the end of the file.
  std::span<const std::uint8_t> Next();
  bool Failed() const { return failed_; }

 private:
  std::span<const std::uint8_t> ReadChunk();

  platform::File& file_;
  std::vector<std::uint8_t> buffer_;
  std::size_t frontSize_ = 0;
  bool frontHandedOut_ = false;
  bool ended_ = false;
  bool failed_ = false;
};

}  // namespace veyla::window
