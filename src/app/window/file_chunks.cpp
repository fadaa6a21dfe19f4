#include "app/window/file_chunks.h"

namespace veyla::window {

FileChunks::FileChunks(platform::File& file) : file_(file), buffer_(kChunkSize) {
  frontSize_ = ReadChunk().size();
}

std::span<const std::uint8_t> FileChunks::Front() const {
  return std::span<const std::uint8_t>(buffer_).first(frontHandedOut_ ? 0 : frontSize_);
}

std::span<const std::uint8_t> FileChunks::Next() {
  if (!frontHandedOut_) {
    frontHandedOut_ = true;
    return std::span<const std::uint8_t>(buffer_).first(frontSize_);
  }
  return ReadChunk();
}

std::span<const std::uint8_t> FileChunks::ReadChunk() {
  if (ended_) {
    return {};
  }
  auto read = file_.ReadInto(buffer_);
  if (!read.ok()) {
    failed_ = true;
  }
  const std::size_t count = read.value_or(0);
  if (count == 0) {
    ended_ = true;
  }
  return std::span<const std::uint8_t>(buffer_).first(count);
}

}  // namespace veyla::window
