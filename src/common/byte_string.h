#pragma once
// The two value types every layer passes around.
//
// ByteString: a counted sequence of bytes; zero bytes are ordinary bytes and the empty
// ByteString is a valid value (the cipher's only sign of failure).
//
// Text: bytes in the program's stored encoding, GB18030 (a superset of the GBK code page, so
// every GBK byte sequence means the same), without a terminating zero. Where a text is made
// from bytes that hold a zero byte, it ends before that byte (TextFromBytes).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veyla {

using ByteString = std::vector<std::uint8_t>;
using Text = std::string;

// The bytes of a text, without a terminator.
ByteString BytesFromText(std::string_view text);

// The bytes up to the first zero byte, or all of them when there is none.
Text TextFromBytes(const ByteString& bytes);

// A text cut at its first zero byte (a text never holds one).
std::string_view TextUpToZero(std::string_view text);

}  // namespace veyla
