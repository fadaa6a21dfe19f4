#include "platform/file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <limits>
#include <span>
#include <string>

#include "scratch_files.h"

namespace veyla::platform {
namespace {

using veyla::testing::Bytes;
using veyla::testing::ReadFileBytes;
using veyla::testing::RunInChild;
using veyla::testing::ScratchDir;
using veyla::testing::WriteFileBytes;

using Opener = Result<File> (*)(const std::filesystem::path&);

struct Refusal {
  const char* name;
  ErrorKind expected;
};

// Names that must be refused before anything is read, by both kinds of open. Each is made
// in the scratch folder by MakeRefused.
constexpr std::array kRefusals = {
    Refusal{"missing", ErrorKind::NotFound},
    Refusal{"dangling-link", ErrorKind::NotFound},
    Refusal{"folder", ErrorKind::NotRegularFile},
    Refusal{"fifo", ErrorKind::NotRegularFile},
    Refusal{"link-to-dev-zero", ErrorKind::NotRegularFile},
    Refusal{"link-to-folder", ErrorKind::NotRegularFile},
};

void MakeRefused(const ScratchDir& dir) {
  std::filesystem::create_symlink(dir / "nowhere", dir / "dangling-link");
  std::filesystem::create_directory(dir / "folder");
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", dir / "link-to-dev-zero");
  std::filesystem::create_symlink(dir / "folder", dir / "link-to-folder");
}

TEST(FileOpen, RefusesWhatIsNoExistingRegularFileWithoutCreatingIt) {
  ScratchDir dir;
  MakeRefused(dir);
  for (const Opener open : {&File::OpenForReading, &File::OpenForAppending}) {
    for (const Refusal& r : kRefusals) {
      SCOPED_TRACE(r.name);
      auto file = open(dir / r.name);
      ASSERT_FALSE(file.ok());
      EXPECT_EQ(file.error().kind, r.expected);
      EXPECT_EQ(file.error().operation, "open");
    }
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
  EXPECT_FALSE(std::filesystem::exists(dir / "nowhere"));
}

TEST(FileOpen, RefusesDevices) {
  for (const char* device : {"/dev/null", "/dev/zero", "/dev/tty"}) {
    SCOPED_TRACE(device);
    auto file = File::OpenForAppending(device);
    ASSERT_FALSE(file.ok());
    EXPECT_EQ(file.error().kind, ErrorKind::NotRegularFile);
  }
}

TEST(FileOpen, FollowsALinkToARegularFile) {
  ScratchDir dir;
  WriteFileBytes(dir / "real", Bytes("abc"));
  std::filesystem::create_symlink(dir / "real", dir / "link");
  auto file = File::OpenForReading(dir / "link");
  ASSERT_TRUE(file.ok()) << file.error().Describe();
  EXPECT_EQ(file.value().Read(10).value(), Bytes("abc"));
}

TEST(FileOpen, IsRefusedToAnotherUserWithoutAccess) {
  ScratchDir dir;
  std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
  const auto path = dir / "private";
  WriteFileBytes(path, Bytes("secret"));
  std::filesystem::permissions(path, std::filesystem::perms(0600));
  const int code = RunInChild([&] {
    if (::setgid(veyla::testing::kNobody) != 0 || ::setuid(veyla::testing::kNobody) != 0) {
      return 90;
    }
    auto reading = File::OpenForReading(path);
    auto appending = File::OpenForAppending(path);
    if (reading.ok() || appending.ok()) return 91;
    if (reading.error().kind != ErrorKind::PermissionDenied) return 92;
    if (appending.error().kind != ErrorKind::PermissionDenied) return 93;
    return 0;
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(ReadFileBytes(path), Bytes("secret"));
}

TEST(FilePosition, SeeksFromTheEndAndNeverBeforeTheStart) {
  ScratchDir dir;
  WriteFileBytes(dir / "f", Bytes("abcdef"));
  auto file = File::OpenForReading(dir / "f").value();
  ASSERT_TRUE(file.SeekFromEnd(2).ok());
  EXPECT_EQ(file.Read(10).value(), Bytes("ef"));
  ASSERT_TRUE(file.SeekFromEnd(3).ok());
  for (const std::uint64_t beyond : {std::uint64_t{7}, std::numeric_limits<std::uint64_t>::max()}) {
    auto moved = file.SeekFromEnd(beyond);
    ASSERT_FALSE(moved.ok());
    EXPECT_EQ(moved.error().kind, ErrorKind::Io);
  }
  // The failed moves left the position 3 bytes before the end.
  EXPECT_EQ(file.Read(1).value(), Bytes("d"));
  ASSERT_TRUE(file.SeekFromEnd(6).ok());
  EXPECT_EQ(file.Read(std::numeric_limits<std::size_t>::max()).value(), Bytes("abcdef"));
  EXPECT_TRUE(file.Read(1).value().empty());
}

TEST(FileRead, ReadIntoFillsTheBufferAndGivesZeroAtTheEnd) {
  ScratchDir dir;
  WriteFileBytes(dir / "f", Bytes("0123456789"));
  auto file = File::OpenForReading(dir / "f").value();
  std::array<std::uint8_t, 4> buffer{};
  std::string seen;
  for (std::size_t n; (n = file.ReadInto(buffer).value()) > 0;) {
    seen.append(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(n));
  }
  EXPECT_EQ(seen, "0123456789");
}

TEST(FileRead, ReadWholeFileKeepsZeroBytesAndRefusesAFolder) {
  ScratchDir dir;
  const ByteString content = {0, 'a', 0, 0xff, 0};
  WriteFileBytes(dir / "f", content);
  WriteFileBytes(dir / "empty", {});
  EXPECT_EQ(ReadWholeFile(dir / "f").value(), content);
  EXPECT_TRUE(ReadWholeFile(dir / "empty").value().empty());
  EXPECT_EQ(ReadWholeFile(dir.path()).error().kind, ErrorKind::NotRegularFile);
}

TEST(FileClosed, EveryOperationReportsAClosedFile) {
  File file;
  EXPECT_FALSE(file.IsOpen());
  EXPECT_EQ(file.Number(), 0);
  const std::array<std::uint8_t, 1> byte = {'x'};
  const std::array<std::span<const std::uint8_t>, 1> runs = {std::span(byte)};
  std::array<std::uint8_t, 4> buffer{};
  const std::array<Error, 6> errors = {file.Size().error(),           file.SeekFromEnd(0).error(),
                                       file.Read(4).error(),          file.ReadInto(buffer).error(),
                                       file.AppendRuns(runs).error(), file.Sync().error()};
  for (const Error& e : errors) {
    EXPECT_EQ(e.kind, ErrorKind::Io);
    EXPECT_EQ(e.operation, "closed file");
  }
  file.Close();

  ScratchDir dir;
  WriteFileBytes(dir / "f", Bytes("x"));
  File opened = File::OpenForReading(dir / "f").value();
  File moved = std::move(opened);
  EXPECT_FALSE(opened.IsOpen());  // NOLINT(bugprone-use-after-move): moved-from is specified
  EXPECT_TRUE(moved.IsOpen());
  EXPECT_EQ(moved.Size().value(), 1u);
}

TEST(FileAppend, AppendsRunsInOrderAtTheEndWhateverThePosition) {
  ScratchDir dir;
  const auto path = dir / "f";
  WriteFileBytes(path, Bytes("head"));
  auto file = File::OpenForAppending(path).value();
  ASSERT_TRUE(file.SeekFromEnd(4).ok());
  const ByteString first = Bytes("one"), empty, second = Bytes("two");
  const std::array<std::span<const std::uint8_t>, 3> runs = {std::span(first), std::span(empty),
                                                             std::span(second)};
  ASSERT_TRUE(file.AppendRuns(runs).ok());
  EXPECT_EQ(ReadFileBytes(path), Bytes("headonetwo"));
}

// A process file-size limit stops the append either at once or part-way through; both must
// leave the file as it was and say that the file grew too large.
TEST(FileAppend, FileSizeLimitLeavesTheFileUnchanged) {
  ScratchDir dir;
  const auto path = dir / "f";
  const ByteString before = Bytes("original content");
  const ByteString block(100, 0xAB);
  for (const rlim_t allowance : {rlim_t{0}, rlim_t{37}}) {
    SCOPED_TRACE(allowance);
    WriteFileBytes(path, before);
    const int code = RunInChild([&] {
      IgnoreFileSizeSignal();
      const rlimit limit{before.size() + allowance, before.size() + allowance};
      if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 90;
      auto file = File::OpenForAppending(path);
      if (!file) return 91;
      const std::array<std::span<const std::uint8_t>, 1> runs = {std::span(block)};
      auto appended = file.value().AppendRuns(runs);
      if (appended.ok()) return 92;
      if (appended.error().kind != ErrorKind::FileTooLarge) return 93;
      if (appended.error().operation != "write") return 94;
      return 0;
    });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(ReadFileBytes(path), before);
  }
}

}  // namespace
}  // namespace veyla::platform
