// Files that go wrong between the clicks: every failure ends in a clear status text and a
// carrier holding exactly the bytes it held before.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "app/commands/status_texts.h"
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

TEST_F(CommandTest, NamesThatAreNoRegularFileNeverHangAndAreNeverWritten) {
  const auto fifo = dir_ / "fifo.jpg";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const auto folder = dir_ / "folder.jpg";
  std::filesystem::create_directory(folder);
  for (const auto& path : {fifo, folder, std::filesystem::path("/dev/zero")}) {
    SCOPED_TRACE(path.string());
    Choose(path);
    EXPECT_EQ(window_.caption, Stored(status::kOrdinaryPicture));
    Hide("msg", "");
    EXPECT_EQ(window_.caption, StoredText(status::HideFailed(
                                   Error{ErrorKind::NotRegularFile, 0, "open"})));
    EXPECT_EQ(Read(""), "");
    EXPECT_EQ(window_.caption, Stored(status::kNothingHidden));
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder));
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
