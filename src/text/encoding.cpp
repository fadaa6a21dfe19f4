#include "text/encoding.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdint>

namespace veyla::text {

namespace {

// glibc's iconv names; GB18030 there is the full four-byte encoding, covering all of Unicode.
constexpr const char* kUtf8Name = "UTF-8";
constexpr const char* kGb18030Name = "GB18030";

constexpr char32_t kReplacementCharacter = U'\uFFFD';

// The UTF-8 form of one code point below U+10000 (three bytes at most are needed here).
constexpr std::array<char, 3> Utf8OfBmpCodePoint(char32_t c) {
  return {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
          static_cast<char>(0x80 | (c & 0x3F))};
}
constexpr auto kReplacementUtf8Bytes = Utf8OfBmpCodePoint(kReplacementCharacter);
constexpr std::string_view kReplacementUtf8(kReplacementUtf8Bytes.data(),
                                            kReplacementUtf8Bytes.size());

// How many bytes at the start of `s` (which iconv refused) to replace by one U+FFFD: a whole
// well-formed UTF-8 sequence (a character the target cannot hold), or else the longest
// prefix of one (the Unicode "maximal subpart" practice), and at least one byte.
std::size_t Utf8RejectedLength(std::string_view s) {
  const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(s[i]); };
  const std::uint8_t lead = byte(0);
  std::size_t length;
  std::uint8_t low = 0x80;  // allowed range of the second byte (narrower for some leads)
  std::uint8_t high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;   // no overlong forms
    if (lead == 0xED) high = 0x9F;  // no surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;   // no overlong forms
    if (lead == 0xF4) high = 0x8F;  // nothing above U+10FFFF
  } else {
    return 1;
  }
  std::size_t taken = 1;
  while (taken < length && taken < s.size()) {
    const std::uint8_t b = byte(taken);
    const bool fits = taken == 1 ? (b >= low && b <= high) : (b >= 0x80 && b <= 0xBF);
    if (!fits) break;
    ++taken;
  }
  return taken;
}

// GB18030 has no such rule that could help: a refused byte is replaced on its own and
// decoding resumes at the next one, so an ASCII byte after a broken lead byte survives.
std::size_t Gb18030RejectedLength(std::string_view) {
  return 1;
}

class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(::iconv_open(to, from)) {}
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;
  ~Converter() {
    if (ok()) ::iconv_close(cd_);
  }
  bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts all of `input`, replacing each rejected run (its length given by
  // `rejectedLength`) with `replacement`, already in the target encoding.
  std::string Convert(std::string_view input, std::string_view replacement,
                      std::size_t (*rejectedLength)(std::string_view)) {
    std::string out(input.size() + 16, '\0');
    std::size_t used = 0;
    // iconv's input pointer is non-const by its declaration; it only reads through it.
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    const auto reserve = [&](std::size_t needed) {
      if (out.size() - used < needed) out.resize(std::max(out.size() * 2, used + needed));
    };
    while (inLeft > 0) {
      reserve(16);
      char* outPtr = out.data() + used;
      std::size_t outLeft = out.size() - used;
      const std::size_t result = ::iconv(cd_, &in, &inLeft, &outPtr, &outLeft);
      const int err = errno;
      used = static_cast<std::size_t>(outPtr - out.data());
      if (result != static_cast<std::size_t>(-1)) break;
      if (err == E2BIG) {
        out.resize(out.size() * 2);
        continue;
      }
      // EILSEQ (a sequence that does not decode or cannot be stored) or EINVAL (a sequence
      // cut off by the end of the input): replace it and go on after it.
      const std::size_t skip = err == EINVAL ? inLeft : rejectedLength({in, inLeft});
      reserve(replacement.size());
      out.replace(used, replacement.size(), replacement);
      used += replacement.size();
      in += skip;
      inLeft -= skip;
    }
    for (;;) {
      reserve(16);
      char* outPtr = out.data() + used;
      std::size_t outLeft = out.size() - used;
      const std::size_t result = ::iconv(cd_, nullptr, nullptr, &outPtr, &outLeft);
      used = static_cast<std::size_t>(outPtr - out.data());
      if (result != static_cast<std::size_t>(-1) || errno != E2BIG) break;
      out.resize(out.size() * 2);
    }
    out.resize(used);
    return out;
  }

 private:
  iconv_t cd_;
};

// Without the system's conversion tables only ASCII, which both encodings share, can be
// carried over; every other byte becomes a question mark.
std::string AsciiOnly(std::string_view input) {
  std::string out(input);
  for (char& c : out) {
    if (static_cast<unsigned char>(c) >= 0x80) c = '?';
  }
  return out;
}

}  // namespace

Text Gb18030FromUtf8(std::string_view utf8) {
  Converter toGb(kGb18030Name, kUtf8Name);
  if (!toGb.ok()) return AsciiOnly(utf8);
  // The stored form of U+FFFD comes from the same tables as everything else.
  const std::string replacement =
      toGb.Convert(kReplacementUtf8, AsciiOnly(kReplacementUtf8), Utf8RejectedLength);
  return toGb.Convert(utf8, replacement, Utf8RejectedLength);
}

std::string Utf8FromGb18030(std::string_view gb18030) {
  Converter toUtf8(kUtf8Name, kGb18030Name);
  if (!toUtf8.ok()) return AsciiOnly(gb18030);
  return toUtf8.Convert(gb18030, kReplacementUtf8, Gb18030RejectedLength);
}

}  // namespace veyla::text
