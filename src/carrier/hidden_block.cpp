#include "carrier/hidden_block.h"

#include <algorithm>
#include <span>

#include "common/bytes.h"

namespace veyla::carrier {

namespace {
constexpr std::size_t kFlagOffset = 0;
constexpr std::size_t kLengthOffset = 4;
constexpr std::size_t kMarkerOffset = 8;
}  // namespace

bool HasMarker(const ByteString& tail) {
  if (tail.size() < kTrailerSize) return false;
  const auto markerStart = tail.begin() + kMarkerOffset;
  const auto markerEnd = std::find(markerStart, tail.end(), std::uint8_t{0});
  return std::equal(markerStart, markerEnd, kMarker.begin(), kMarker.end());
}

Trailer ParseTrailer(const ByteString& tail) {
  if (tail.size() < kTrailerSize) return {};
  const std::span<const std::uint8_t> bytes(tail);
  return Trailer{LoadLeInt32(bytes.subspan<kFlagOffset, 4>()),
                 LoadLeInt32(bytes.subspan<kLengthOffset, 4>())};
}

TrailerBytes EncodeTrailer(const Trailer& trailer) {
  TrailerBytes bytes{};
  const std::span<std::uint8_t, kTrailerSize> out(bytes);
  StoreLeInt32(out.subspan<kFlagOffset, 4>(), trailer.passwordFlag);
  StoreLeInt32(out.subspan<kLengthOffset, 4>(), trailer.cipherLength);
  std::copy(kMarker.begin(), kMarker.end(), bytes.begin() + kMarkerOffset);
  return bytes;
}

ByteString EncodeBlock(const ByteString& ciphertext, std::int32_t passwordFlag) {
  const TrailerBytes trailer =
      EncodeTrailer({passwordFlag, static_cast<std::int32_t>(ciphertext.size())});
  ByteString block;
  block.reserve(ciphertext.size() + kTrailerSize);
  block.insert(block.end(), ciphertext.begin(), ciphertext.end());
  block.insert(block.end(), trailer.begin(), trailer.end());
  return block;
}

}  // namespace veyla::carrier
