#include "carrier/carrier_file.h"

#include <array>
#include <limits>
#include <span>

namespace veyla::carrier {

Result<ByteString> ReadTail(platform::File& file) {
  if (!file.IsOpen()) return ByteString{};
  auto size = file.Size();
  if (!size) return size.error();
  if (size.value() < kTrailerSize) return ByteString{};
  if (auto moved = file.SeekFromEnd(kTrailerSize); !moved) return moved.error();
  return file.Read(kTrailerSize);
}

Result<ByteString> ReadCiphertext(platform::File& file, std::int32_t cipherLength) {
  if (!file.IsOpen() || cipherLength <= 0) return ByteString{};
  // In 64 bits: L + 12 overflows no int32 and is compared with the real size.
  const auto length = static_cast<std::uint64_t>(cipherLength);
  const std::uint64_t distance = length + kTrailerSize;
  auto size = file.Size();
  if (!size) return size.error();
  if (distance > size.value()) return ByteString{};
  if (auto moved = file.SeekFromEnd(distance); !moved) return moved.error();
  return file.Read(static_cast<std::size_t>(length));
}

Result<void> AppendBlock(platform::File& file, const ByteString& ciphertext,
                         std::int32_t passwordFlag) {
  if (ciphertext.size() > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
    return Error{ErrorKind::FileTooLarge, 0, "hidden block of 2 GiB or more"};
  }
  const TrailerBytes trailer =
      EncodeTrailer({passwordFlag, static_cast<std::int32_t>(ciphertext.size())});
  // Two runs in one request: the ciphertext is not copied into a block buffer.
  const std::array<std::span<const std::uint8_t>, 2> runs = {std::span(ciphertext),
                                                             std::span(trailer)};
  return file.AppendRuns(runs);
}

Result<void> AppendBlock(const std::filesystem::path& path, const ByteString& ciphertext,
                         std::int32_t passwordFlag) {
  auto file = platform::File::OpenForAppending(path);
  if (!file) return file.error();
  return AppendBlock(file.value(), ciphertext, passwordFlag);
}

}  // namespace veyla::carrier
