// Files that go wrong between the clicks: every failure ends in a clear status text and a
// carrier holding exactly the bytes it held before.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>

#include "app/commands/status_texts.h"
#include "carrier/hidden_block.h"
#include "cipher/message_cipher.h"
#include "command_fixture.h"
#include "platform/file.h"

namespace veyla::app::testing {
namespace {

bool StartsWith(const Text& text, const Text& prefix) { return text.rfind(prefix, 0) == 0; }

Text FailurePrefix() { return StoredText("Veyla没有藏进去："); }

// Runs `body` in a child process and gives its exit code; the body returns the code.
int InChild(const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::_exit(body());
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST_F(CommandTest, FileDeletedBeforeHidingIsReportedAndNotCreated) {
  Choose(picture_);
  std::filesystem::remove(picture_);
  Hide("msg", "pw");
  EXPECT_TRUE(StartsWith(window_.caption, FailurePrefix()));
  EXPECT_NE(window_.caption, Stored(status::kHidden));
  EXPECT_FALSE(std::filesystem::exists(picture_));
  // The state describes the attempted hide all the same.
  EXPECT_EQ(state_.passwordFlag, 1);
  EXPECT_FALSE(state_.lastCipherBytes.empty());
}

// The chosen picture is swapped for something else before 按钮1 is clicked. Each row ends in
// the failure text for its cause; nothing is written, created or left behind.
TEST_F(CommandTest, FaultTableBetweenChoosingAndHiding) {
  struct Row {
    const char* what;
    std::function<void(const std::filesystem::path&)> replace;
    ErrorKind cause;
  };
  const Row rows[] = {
      {"deleted", [](const auto& p) { std::filesystem::remove(p); }, ErrorKind::NotFound},
      {"replaced by a folder",
       [](const auto& p) {
         std::filesystem::remove(p);
         std::filesystem::create_directory(p);
       },
       ErrorKind::NotRegularFile},
      {"replaced by a FIFO",
       [](const auto& p) {
         std::filesystem::remove(p);
         ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0);
       },
       ErrorKind::NotRegularFile},
      {"replaced by a link to /dev/zero",
       [](const auto& p) {
         std::filesystem::remove(p);
         std::filesystem::create_symlink("/dev/zero", p);
       },
       ErrorKind::NotRegularFile},
      {"replaced by a dangling link",
       [this](const auto& p) {
         std::filesystem::remove(p);
         std::filesystem::create_symlink(dir_ / "nowhere.jpg", p);
       },
       ErrorKind::NotFound},
  };
  int index = 0;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    const auto name = dir_ / ("carrier-" + std::to_string(index++) + ".jpg");
    WriteBytes(name, original_);
    Choose(name);
    ASSERT_EQ(window_.caption, Stored(status::kOrdinaryPicture));
    row.replace(name);
    const auto before = std::filesystem::symlink_status(name).type();

    Hide("msg", "pw");
    EXPECT_EQ(window_.caption, StoredText(status::HideFailed(Error{row.cause, 0, "open"})));
    EXPECT_EQ(std::filesystem::symlink_status(name).type(), before);
    EXPECT_FALSE(std::filesystem::exists(dir_ / "nowhere.jpg"));
    // Choosing or reading the replacement never hangs and finds nothing.
    Choose(name);
    EXPECT_EQ(window_.caption, Stored(status::kOrdinaryPicture));
    EXPECT_EQ(Read("pw"), "");
    EXPECT_EQ(window_.caption, Stored(status::kNothingHidden));
  }
}

// Two programs hiding into one picture at the same moment: every block arrives whole, so
// walking the trailers back from the end lands exactly on the picture's own last byte.
TEST_F(CommandTest, TwoProcessesHidingAtOnceLeaveEveryBlockWhole) {
  Choose(picture_);
  constexpr int kHidesEach = 40;
  pid_t children[2];
  for (int c = 0; c < 2; ++c) {
    children[c] = ::fork();
    if (children[c] == 0) {
      for (int i = 0; i < kHidesEach; ++i) {
        Hide(std::string(static_cast<std::size_t>(1 + (i * 7 + c * 3) % 40), c == 0 ? 'a' : 'b'),
             "");
        if (window_.caption != Stored(status::kHidden)) ::_exit(1);
      }
      ::_exit(0);
    }
  }
  for (pid_t child : children) {
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }

  const ByteString bytes = ReadBytes(picture_);
  std::size_t end = bytes.size();
  int blocks = 0;
  while (end > original_.size()) {
    const ByteString tail(bytes.begin() + static_cast<std::ptrdiff_t>(end - 12),
                          bytes.begin() + static_cast<std::ptrdiff_t>(end));
    ASSERT_TRUE(carrier::HasMarker(tail)) << "block " << blocks << " is not whole";
    const carrier::Trailer trailer = carrier::ParseTrailer(tail);
    ASSERT_GT(trailer.cipherLength, 0);
    const std::size_t start = end - 12 - static_cast<std::size_t>(trailer.cipherLength);
    const ByteString cipher(bytes.begin() + static_cast<std::ptrdiff_t>(start),
                            bytes.begin() + static_cast<std::ptrdiff_t>(end - 12));
    const ByteString message = cipher::DecryptData(cipher, "kvb");
    ASSERT_FALSE(message.empty());
    EXPECT_TRUE(std::all_of(message.begin(), message.end(), [&](auto b) { return b == message[0]; }));
    end = start;
    ++blocks;
  }
  EXPECT_EQ(end, original_.size());
  EXPECT_EQ(blocks, 2 * kHidesEach);
  EXPECT_TRUE(std::equal(original_.begin(), original_.end(), bytes.begin()));
}

TEST_F(CommandTest, FileSizeLimitDuringHideLeavesTheCarrierUnchanged) {
  Choose(picture_);
  const int code = InChild([&] {
    platform::IgnoreFileSizeSignal();
    const rlim_t limit = original_.size() + 5;  // room for part of the block only
    const rlimit r{limit, limit};
    if (::setrlimit(RLIMIT_FSIZE, &r) != 0) return 10;
    Hide("a message that does not fit", "");
    if (window_.caption == Stored(status::kHidden)) return 1;
    return window_.caption ==
                   StoredText(status::HideFailed(Error{ErrorKind::FileTooLarge, 0, "write"}))
               ? 0
               : 2;
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(ReadBytes(picture_), original_);
}

TEST_F(CommandTest, ReadOnlyCarrierIsRecognisedAndReadButNotWritten) {
  Choose(picture_);
  Hide("只读也能读", "pw");
  const ByteString carrier = ReadBytes(picture_);
  ASSERT_EQ(::chmod(picture_.c_str(), 0444), 0);

  const int code = InChild([&] {
    // Root may write any file; an ordinary user may not write this one.
    if (::setgid(65534) != 0 || ::setuid(65534) != 0) return 10;
    Choose(picture_);
    if (window_.caption != Stored(status::kCarrierChosen)) return 1;
    if (Read("pw") != Stored("只读也能读")) return 2;
    Hide("不能写", "");
    if (window_.caption != StoredText(status::HideFailed(
                               Error{ErrorKind::PermissionDenied, 0, "open"})))
      return 3;
    return 0;
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(ReadBytes(picture_), carrier);
}

}  // namespace
}  // namespace veyla::app::testing
