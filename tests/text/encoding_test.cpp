#include "text/encoding.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>

namespace veyla::text {
namespace {

using namespace std::string_view_literals;

// U+FFFD in each encoding. GB18030 maps it to the four-byte sequence 84 31 A4 37
// (GB 18030-2005, four-byte BMP table).
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";
constexpr std::string_view kReplacementGb = "\x84\x31\xA4\x37";

// GB 18030-2005: a code point U+10000..U+10FFFF is the four-byte sequence whose linear
// number, counted from 90 30 81 30 with bytes b1 b2 b3 b4 weighing 12600, 1260, 10 and 1, is
// the code point minus 0x10000.
constexpr std::array<char, 4> Gb18030OfSupplementary(char32_t codePoint) {
  std::uint32_t n = codePoint - 0x10000;
  const auto b4 = static_cast<char>(0x30 + n % 10);
  n /= 10;
  const auto b3 = static_cast<char>(0x81 + n % 126);
  n /= 126;
  const auto b2 = static_cast<char>(0x30 + n % 10);
  n /= 10;
  return {static_cast<char>(0x90 + n), b2, b3, b4};
}

constexpr std::array<char, 4> Utf8OfSupplementary(char32_t c) {
  return {static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
          static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
}

struct KnownPair {
  const char* what;
  std::string_view utf8;
  std::string_view gb18030;
};

// Source: GB 18030-2005 code charts (two-byte GBK area) and its BMP four-byte table.
const KnownPair kKnownPairs[] = {
    {"ASCII and a zero byte", "Veyla 1973\0!"sv, "Veyla 1973\0!"sv},
    {"two-byte Chinese", "中文", "\xD6\xD0\xCE\xC4"},
    {"status text", "普通图片", "\xC6\xD5\xCD\xA8\xCD\xBC\xC6\xAC"},
    {"full-width question mark", "？", "\xA3\xBF"},
    {"euro sign", "€", "\xA2\xE3"},
    {"U+FFFD", kReplacementUtf8, kReplacementGb},
};

TEST(Encoding, KnownPairsConvertBothWays) {
  for (const KnownPair& p : kKnownPairs) {
    SCOPED_TRACE(p.what);
    EXPECT_EQ(Gb18030FromUtf8(p.utf8), p.gb18030);
    EXPECT_EQ(Utf8FromGb18030(p.gb18030), p.utf8);
  }
}

TEST(Encoding, EverySupplementaryPlaneCharacterUsesTheFourByteFormula) {
  // Emoji, a CJK Extension B ideograph, and the two ends of the supplementary range.
  for (const char32_t c :
       {U'\U0001F600', U'\U0001F9E7', U'\U00020000', U'\U00010000', U'\U0010FFFF'}) {
    SCOPED_TRACE(static_cast<std::uint32_t>(c));
    const auto utf8 = Utf8OfSupplementary(c);
    const auto gb = Gb18030OfSupplementary(c);
    const std::string_view utf8View(utf8.data(), utf8.size());
    const std::string_view gbView(gb.data(), gb.size());
    EXPECT_EQ(Gb18030FromUtf8(utf8View), gbView);
    EXPECT_EQ(Utf8FromGb18030(gbView), utf8View);
  }
}

TEST(Encoding, MixedTextRoundTrips) {
  const std::string text = "您的Veyla已经隐藏在图片中了 😀🀄 \U00020BB7 é ß ÿ\r\n末尾";
  EXPECT_EQ(Utf8FromGb18030(Gb18030FromUtf8(text)), text);
}

struct Malformed {
  const char* what;
  std::string_view input;
  std::string expected;  // with "#" standing for the replacement in the target encoding
};

std::string WithReplacement(const std::string& pattern, std::string_view replacement) {
  std::string out;
  for (const char c : pattern) {
    if (c == '#') {
      out += replacement;
    } else {
      out += c;
    }
  }
  return out;
}

// Invalid UTF-8: each maximal broken prefix of a character becomes one U+FFFD; the rest of
// the input is kept.
const Malformed kBadUtf8[] = {
    {"stray byte",
     "a\xFF"
     "b",
     "a#b"},
    {"lone continuation byte",
     "a\x80"
     "b",
     "a#b"},
    {"character cut short",
     "\xE4\xB8"
     "x",
     "#x"},
    {"character cut by the end", "ab\xE4\xB8", "ab#"},
    {"overlong zero", "\xC0\x80", "##"},
    {"surrogate",
     "\xED\xA0\x80"
     "z",
     "###z"},
    {"above U+10FFFF", "\xF4\x90\x80\x80", "####"},
    {"valid character after a broken one",
     "\xE4"
     "中",
     "#\xD6\xD0"},
};

TEST(Encoding, InvalidUtf8BecomesTheReplacementCharacter) {
  for (const Malformed& m : kBadUtf8) {
    SCOPED_TRACE(m.what);
    EXPECT_EQ(Gb18030FromUtf8(m.input), WithReplacement(m.expected, kReplacementGb));
  }
}

// Invalid GB18030: each refused byte becomes one U+FFFD and decoding resumes after it.
const Malformed kBadGb18030[] = {
    {"byte FF",
     "a\xFF"
     "b",
     "a#b"},
    {"lead byte cut by the end", "a\x81", "a#"},
    {"lead byte before ASCII", "\x81 b", "# b"},
    {"four-byte sequence cut short", "\x81\x30\x81", "#"},
    {"Chinese after a broken lead byte", "\xFF\xD6\xD0", "#中"},
};

TEST(Encoding, InvalidGb18030BecomesTheReplacementCharacter) {
  for (const Malformed& m : kBadGb18030) {
    SCOPED_TRACE(m.what);
    EXPECT_EQ(Utf8FromGb18030(m.input), WithReplacement(m.expected, kReplacementUtf8));
  }
}

TEST(Encoding, EmptyAndLongInputs) {
  EXPECT_EQ(Gb18030FromUtf8(""), "");
  EXPECT_EQ(Utf8FromGb18030(""), "");
  // Long enough to outgrow the first output buffer several times (each character grows
  // from three bytes to four).
  std::string many;
  for (int i = 0; i < 20000; ++i) many += "\xEF\xBF\xBD";
  const Text stored = Gb18030FromUtf8(many);
  EXPECT_EQ(stored.size(), 20000u * 4);
  EXPECT_EQ(Utf8FromGb18030(stored), many);
}

}  // namespace
}  // namespace veyla::text
