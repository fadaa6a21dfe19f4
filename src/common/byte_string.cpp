#include "common/byte_string.h"

#include <algorithm>

namespace veyla {

ByteString BytesFromText(std::string_view text) {
  return ByteString(text.begin(), text.end());
}

Text TextFromBytes(const ByteString& bytes) {
  const auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
  return Text(bytes.begin(), end);
}

std::string_view TextUpToZero(std::string_view text) {
  return text.substr(0, std::min(text.find('\0'), text.size()));
}

}  // namespace veyla
