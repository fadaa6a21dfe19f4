#include "carrier/carrier_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>

#include "carrier/hidden_block.h"
#include "carrier/password_rules.h"
#include "cipher/message_cipher.h"
#include "common/bytes.h"
#include "platform/file.h"
#include "scratch_files.h"

namespace veyla::carrier {
namespace {

using platform::File;
using veyla::testing::Bytes;
using veyla::testing::ReadFileBytes;
using veyla::testing::RunInChild;
using veyla::testing::ScratchDir;
using veyla::testing::WriteFileBytes;

constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();

ByteString Trailer(std::int32_t flag, std::int32_t length, std::string_view marker = "1973") {
  ByteString t(8);
  StoreLeInt32(std::span(t).subspan<0, 4>(), flag);
  StoreLeInt32(std::span(t).subspan<4, 4>(), length);
  t.insert(t.end(), marker.begin(), marker.end());
  return t;
}

ByteString Concat(ByteString a, const ByteString& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

struct TrailerCase {
  const char* what;
  ByteString file;
  bool carrier;
  std::int32_t flag;
  std::int32_t length;
  ByteString ciphertext;  // what ReadCiphertext gives for the trailer's length
};

std::vector<TrailerCase> TrailerCases() {
  std::vector<TrailerCase> cases;
  // Files of 0 to 11 bytes are never carriers, even when they end in the marker.
  const std::string shortFile = "abcdefg1973";
  for (std::size_t n = 0; n < kTrailerSize; ++n) {
    cases.push_back({"short file",
                     Bytes(std::string_view(shortFile).substr(shortFile.size() - n)),
                     false,
                     0,
                     0,
                     {}});
  }
  const ByteString eight = Bytes("ABCDEFGH");
  cases.push_back({"empty block", Trailer(0, 0), true, 0, 0, {}});
  cases.push_back({"ciphertext filling the file", Concat(eight, Trailer(1, 8)), true, 1, 8, eight});
  cases.push_back({"ciphertext behind picture bytes",
                   Concat(Concat(Bytes("JPEG"), eight), Trailer(0, 8)), true, 0, 8, eight});
  cases.push_back(
      {"length one beyond the file", Concat(Bytes("1234567"), Trailer(1, 8)), true, 1, 8, {}});
  cases.push_back({"negative length", Concat(eight, Trailer(1, -8)), true, 1, -8, {}});
  cases.push_back({"length -2^31", Concat(eight, Trailer(1, kInt32Min)), true, 1, kInt32Min, {}});
  cases.push_back({"length 2^31-1", Concat(eight, Trailer(1, kInt32Max)), true, 1, kInt32Max, {}});
  cases.push_back({"length 2^31-12 (L + 12 overflows int32)",
                   Concat(eight, Trailer(0, kInt32Max - 11)),
                   true,
                   0,
                   kInt32Max - 11,
                   {}});
  cases.push_back({"odd flag 2", Concat(eight, Trailer(2, 8)), true, 2, 8, eight});
  cases.push_back({"odd flag -1", Concat(eight, Trailer(-1, 8)), true, -1, 8, eight});
  cases.push_back({"marker not last", Concat(Trailer(0, 0), Bytes("x")), false, 0, 0, {}});
  cases.push_back(
      {"marker cut by a zero byte", Trailer(0, 0, std::string_view("19\0\0", 4)), false, 0, 0, {}});
  cases.push_back({"zero byte before the marker",
                   Trailer(0, 0, std::string_view("197\0", 4)),
                   false,
                   0,
                   0,
                   {}});
  cases.push_back({"other marker", Trailer(0, 0, "1974"), false, 0, 0, {}});
  return cases;
}

TEST(CarrierFile, TrailerTable) {
  ScratchDir dir;
  const auto path = dir / "carrier";
  for (const TrailerCase& c : TrailerCases()) {
    SCOPED_TRACE(std::string(c.what) + ", " + std::to_string(c.file.size()) + " bytes");
    WriteFileBytes(path, c.file);
    auto file = File::OpenForReading(path).value();
    const ByteString tail = ReadTail(file).value();
    EXPECT_EQ(tail.size(), c.file.size() < kTrailerSize ? 0 : kTrailerSize);
    ASSERT_EQ(HasMarker(tail), c.carrier);
    if (!c.carrier) continue;
    const auto trailer = ParseTrailer(tail);
    EXPECT_EQ(trailer.passwordFlag, c.flag);
    EXPECT_EQ(trailer.cipherLength, c.length);
    EXPECT_EQ(ReadCiphertext(file, trailer.cipherLength).value(), c.ciphertext);
  }
}

TEST(CarrierFile, MarkerTestOnFewerThanTwelveBytes) {
  const ByteString t = Trailer(0, 0);
  for (std::size_t n = 0; n < kTrailerSize; ++n) {
    EXPECT_FALSE(HasMarker(ByteString(t.end() - static_cast<std::ptrdiff_t>(n), t.end()))) << n;
  }
}

TEST(CarrierFile, AClosedFileReadsNothing) {
  File closed;
  EXPECT_TRUE(ReadTail(closed).value().empty());
  EXPECT_TRUE(ReadCiphertext(closed, 8).value().empty());
}

TEST(CarrierFile, EncodedBlockLayout) {
  const ByteString ciphertext = {1, 2, 3, 4, 5, 6, 7, 8};
  const ByteString expected = {1,   2,   3,   4,  5, 6, 7, 8,  // ciphertext
                               1,   0,   0,   0,               // flag 1, little-endian
                               8,   0,   0,   0,               // length 8, little-endian
                               '1', '9', '7', '3'};
  EXPECT_EQ(EncodeBlock(ciphertext, 1), expected);
  const auto trailer = EncodeTrailer({-2, 0x01020304});
  EXPECT_EQ(ByteString(trailer.begin(), trailer.end()),
            (ByteString{0xFE, 0xFF, 0xFF, 0xFF, 4, 3, 2, 1, '1', '9', '7', '3'}));
}

TEST(CarrierFile, AppendedBlocksFollowThePictureAndTheLastIsRead) {
  ScratchDir dir;
  const auto path = dir / "picture.jpg";
  const ByteString picture = {0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10, 'J', 'F', 'I', 'F', 0, 0xFF, 0xD9};
  WriteFileBytes(path, picture);
  const ByteString first(16, 0x11);
  const ByteString second = {0, 1, 2, 3, 4, 5, 6, 7};
  ASSERT_TRUE(AppendBlock(path, first, 1).ok());
  ASSERT_TRUE(AppendBlock(path, second, 0).ok());
  EXPECT_EQ(ReadFileBytes(path),
            Concat(Concat(picture, EncodeBlock(first, 1)), EncodeBlock(second, 0)));

  auto file = File::OpenForReading(path).value();
  const ByteString tail = ReadTail(file).value();
  ASSERT_TRUE(HasMarker(tail));
  EXPECT_EQ(ParseTrailer(tail).passwordFlag, 0);
  EXPECT_EQ(ReadCiphertext(file, ParseTrailer(tail).cipherLength).value(), second);
}

TEST(CarrierFile, FailedAppendsChangeNothingAndCreateNothing) {
  ScratchDir dir;
  const ByteString block(24, 0x5A);
  auto missing = AppendBlock(dir / "missing", block, 1);
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.error().kind, ErrorKind::NotFound);
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
  EXPECT_EQ(AppendBlock(dir.path(), block, 1).error().kind, ErrorKind::NotRegularFile);

  const auto path = dir / "carrier";
  const ByteString before = Concat(Bytes("picture"), EncodeBlock(ByteString(8, 1), 0));
  WriteFileBytes(path, before);
  // A file-size limit that stops the write at once, inside the ciphertext, and inside the
  // trailer.
  for (const rlim_t allowance : {rlim_t{0}, rlim_t{10}, rlim_t{30}}) {
    SCOPED_TRACE(allowance);
    const int code = RunInChild([&] {
      platform::IgnoreFileSizeSignal();
      const rlimit limit{before.size() + allowance, before.size() + allowance};
      if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 90;
      auto appended = AppendBlock(path, block, 1);
      return appended.ok() ? 91 : appended.error().kind == ErrorKind::FileTooLarge ? 0 : 92;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadFileBytes(path), before);
  }
}

// The whole road of a message: encrypt, append, find the trailer, read, decrypt.
TEST(CarrierFile, MessageRoundTripThroughACarrier) {
  ScratchDir dir;
  const auto path = dir / "picture.jpg";
  const ByteString withZeros = {'a', 0, 'b', 0, 0, 0xFF};
  const ByteString chinese = Bytes("\xC4\xE3\xBA\xC3 Veyla");  // "你好 Veyla" in GB18030
  for (const Text& typed : {Text(""), Text("\xC3\xDC\xC2\xEB"), Text("a long password text")}) {
    for (const ByteString& message : {withZeros, chinese}) {
      WriteFileBytes(path, Bytes("JPEG"));
      const HidePassword hide = ChooseHidePassword(typed);
      ASSERT_TRUE(AppendBlock(path, cipher::EncryptData(message, hide.password), hide.flag).ok());

      auto file = File::OpenForReading(path).value();
      const ByteString tail = ReadTail(file).value();
      ASSERT_TRUE(HasMarker(tail));
      const auto trailer = ParseTrailer(tail);
      EXPECT_EQ(trailer.passwordFlag, typed.empty() ? 0 : 1);
      const auto password = ChooseReadPassword(trailer.passwordFlag, typed);
      ASSERT_TRUE(password.has_value());
      const ByteString ciphertext = ReadCiphertext(file, trailer.cipherLength).value();
      EXPECT_EQ(cipher::DecryptData(ciphertext, *password), message);
    }
  }
}

// Offsets past 4 GiB: a sparse carrier costs no disk space.
TEST(CarrierFile, BlockBehindFourGibibytes) {
  ScratchDir dir;
  const auto path = dir / "large";
  WriteFileBytes(path, {});
  std::filesystem::resize_file(path, (std::uint64_t{4} << 30) + 3);
  const ByteString ciphertext(64, 0xC3);
  ASSERT_TRUE(AppendBlock(path, ciphertext, 1).ok());
  auto file = File::OpenForReading(path).value();
  const ByteString tail = ReadTail(file).value();
  ASSERT_TRUE(HasMarker(tail));
  EXPECT_EQ(ReadCiphertext(file, ParseTrailer(tail).cipherLength).value(), ciphertext);
}

// Two processes appending to one carrier at the same time: every block stays whole. Walks
// the file backwards from trailer to trailer.
TEST(CarrierFile, ConcurrentAppendersKeepEveryBlockWhole) {
  ScratchDir dir;
  const auto path = dir / "shared";
  WriteFileBytes(path, Bytes("picture"));
  constexpr int kWriters = 2;
  constexpr int kBlocksEach = 100;
  std::vector<pid_t> children;
  for (int w = 0; w < kWriters; ++w) {
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      for (int i = 0; i < kBlocksEach; ++i) {
        // Each writer's blocks differ in length and content.
        const ByteString ciphertext(static_cast<std::size_t>(8 * (1 + w + (i % 7))),
                                    static_cast<std::uint8_t>(w + 1));
        if (!AppendBlock(path, ciphertext, w)) ::_exit(1);
      }
      ::_exit(0);
    }
    children.push_back(pid);
  }
  for (const pid_t pid : children) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }

  const ByteString content = ReadFileBytes(path);
  std::array<int, kWriters> counts{};
  std::size_t end = content.size();
  while (end > 7) {
    ASSERT_GE(end, 7 + kTrailerSize);
    const ByteString tail(content.begin() + static_cast<std::ptrdiff_t>(end - kTrailerSize),
                          content.begin() + static_cast<std::ptrdiff_t>(end));
    ASSERT_TRUE(HasMarker(tail));
    const auto trailer = ParseTrailer(tail);
    ASSERT_TRUE(trailer.passwordFlag >= 0 && trailer.passwordFlag < kWriters);
    const auto length = static_cast<std::size_t>(trailer.cipherLength);
    ASSERT_GE(end - kTrailerSize, 7 + length);
    const std::size_t start = end - kTrailerSize - length;
    for (std::size_t i = start; i < start + length; ++i) {
      ASSERT_EQ(content[i], trailer.passwordFlag + 1);
    }
    ++counts[static_cast<std::size_t>(trailer.passwordFlag)];
    end = start;
  }
  EXPECT_EQ(end, 7u);
  EXPECT_EQ(counts, (std::array<int, kWriters>{kBlocksEach, kBlocksEach}));
}

}  // namespace
}  // namespace veyla::carrier
