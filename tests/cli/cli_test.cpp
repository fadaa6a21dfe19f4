// veyla-cli as a user runs it: the real program, real files, exit statuses and output.

#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <span>
#include <string>
#include <vector>

#include "carrier/hidden_block.h"
#include "cipher/message_cipher.h"
#include "cli_runner.h"
#include "common/bytes.h"
#include "scratch_files.h"
#include "text/encoding.h"

namespace veyla::testing {
namespace {

constexpr int kUsage = 1, kFile = 2, kNoMessage = 3, kPasswordNeeded = 4, kDamaged = 5;

// A few bytes that stand for the picture in front of the hidden blocks.
const ByteString kPicture = {0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10, 'J', 'F', 'I', 'F', 0, 0xFF, 0xD9};

ByteString Concat(ByteString a, const ByteString& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

std::string AsString(const ByteString& b) {
  return std::string(b.begin(), b.end());
}

ByteString Stored(std::string_view utf8) {
  return BytesFromText(text::Gb18030FromUtf8(utf8));
}

// The block the window's hide appends for a stored message and password.
ByteString WindowBlock(const ByteString& message, std::string_view password, std::int32_t flag) {
  return carrier::EncodeBlock(cipher::EncryptData(message, password), flag);
}

// A trailer written by hand, for blocks no hide would write.
ByteString HandTrailer(std::int32_t flag, std::int32_t length) {
  ByteString t(8);
  StoreLeInt32(std::span(t).subspan<0, 4>(), flag);
  StoreLeInt32(std::span(t).subspan<4, 4>(), length);
  return Concat(t, Bytes("1973"));
}

struct RoundTrip {
  const char* what;
  std::vector<std::string> hideArgs;  // after "hide FILE"; "@name" is a file in the scratch folder
  CliOptions hideRun;
  std::vector<std::string> readArgs;  // after "read FILE"
  CliOptions readRun;
  ByteString stored;     // the message bytes the block must hold
  std::string password;  // the password the block must be encrypted under (GB18030)
  std::int32_t flag;
  std::string expectedOut;  // what read prints
};

std::vector<std::string> Resolve(const ScratchDir& dir, std::vector<std::string> args) {
  for (auto& a : args) {
    if (a.starts_with("@")) a = (dir / a.substr(1)).string();
  }
  return args;
}

std::vector<RoundTrip> RoundTrips() {
  const ByteString binary = {0, 1, 0xFF, 'a', 0, 0x80, 0x1F, 0};
  ByteString large(300 * 1024);
  for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<std::uint8_t>(i * 7);
  const std::string chinese = "你好 Veyla 😀";
  return {
      {"text, default password",
       {"--message", chinese},
       {},
       {"--password", "ignored"},
       {},
       Stored(chinese),
       "kvb",
       0,
       chinese + "\n"},
      {"text and password, both converted to GB18030",
       {"--message", "秘密 message", "--password", "密码"},
       {},
       {"--password=密码"},
       {},
       Stored("秘密 message"),
       text::Gb18030FromUtf8("密码"),
       1,
       "秘密 message\n"},
      {"standard input, password from the environment",
       {},
       WithInput("line one\nline two\n", {{"VEYLA_PASSWORD", "env pw"}}),
       {},
       WithEnvironment({{"VEYLA_PASSWORD", "env pw"}}),
       Bytes("line one\nline two\n"),
       "env pw",
       1,
       "line one\nline two\n\n"},
      {"message file, password file with a CRLF line break",
       {"--message-file", "@message.txt", "--password-file", "@password.txt"},
       {},
       {"--password", "pw"},
       {},
       Stored("文件里的消息\n"),
       "pw",
       1,
       "文件里的消息\n\n"},
      {"data file with zero bytes, read raw",
       {"--data-file", "@data.bin"},
       {},
       {"--raw"},
       {},
       binary,
       "kvb",
       0,
       AsString(binary)},
      {"data file read as text ends at the first zero byte",
       {"--data-file", "@text0.bin"},
       {},
       {},
       {},
       Bytes(std::string_view("ab\0cd", 5)),
       "kvb",
       0,
       "ab\n"},
      {"data on standard input",
       {"--data-file", "-", "--password", "x"},
       WithInput(AsString(large)),
       {"--raw", "--password", "x"},
       {},
       large,
       "x",
       1,
       AsString(large)},
  };
}

TEST(Cli, HideThenReadRoundTripsAndAppendsTheWindowsBlock) {
  ScratchDir dir;
  WriteFileBytes(dir / "message.txt", Bytes("文件里的消息\n"));
  WriteFileBytes(dir / "password.txt", Bytes("pw\r\n"));
  WriteFileBytes(dir / "data.bin", {0, 1, 0xFF, 'a', 0, 0x80, 0x1F, 0});
  WriteFileBytes(dir / "text0.bin", Bytes(std::string_view("ab\0cd", 5)));
  const auto carrier = dir / "picture.jpg";
  for (const RoundTrip& t : RoundTrips()) {
    SCOPED_TRACE(t.what);
    WriteFileBytes(carrier, kPicture);
    std::vector<std::string> hide = {"hide", carrier.string()};
    for (const auto& a : Resolve(dir, t.hideArgs)) hide.push_back(a);
    const CliRun hidden = RunCli(hide, t.hideRun);
    ASSERT_EQ(hidden.status, 0) << hidden.err;
    EXPECT_EQ(hidden.err, "");
    EXPECT_EQ(ReadFileBytes(carrier), Concat(kPicture, WindowBlock(t.stored, t.password, t.flag)));

    std::vector<std::string> read = {"read", carrier.string()};
    for (const auto& a : t.readArgs) read.push_back(a);
    const CliRun shown = RunCli(read, t.readRun);
    EXPECT_EQ(shown.status, 0) << shown.err;
    EXPECT_EQ(shown.out, t.expectedOut);
  }
}

TEST(Cli, TheSecondOfTwoHidesIsRead) {
  ScratchDir dir;
  const auto carrier = (dir / "c.jpg").string();
  WriteFileBytes(carrier, kPicture);
  ASSERT_EQ(RunCli({"hide", carrier, "--message", "first", "--password", "one"}).status, 0);
  ASSERT_EQ(RunCli({"hide", carrier, "--message", "second"}).status, 0);
  EXPECT_EQ(ReadFileBytes(carrier), Concat(Concat(kPicture, WindowBlock(Bytes("first"), "one", 1)),
                                           WindowBlock(Bytes("second"), "kvb", 0)));
  EXPECT_EQ(RunCli({"read", carrier}).out, "second\n");
}

TEST(Cli, CheckPrintsOneLinePerFileAndFailsForFilesItCannotOpen) {
  ScratchDir dir;
  const auto none = (dir / "none.jpg").string();
  const auto withPassword = (dir / "pw.jpg").string();
  const auto odd = (dir / "odd.jpg").string();
  const auto plain = (dir / "plain.jpg").string();
  const auto tiny = (dir / "tiny").string();
  WriteFileBytes(none, Concat(kPicture, WindowBlock(Bytes("m"), "kvb", 0)));
  WriteFileBytes(withPassword, Concat(kPicture, WindowBlock(Bytes("m"), "p", 1)));
  WriteFileBytes(odd, Concat(kPicture, HandTrailer(7, 0)));
  WriteFileBytes(plain, kPicture);
  WriteFileBytes(tiny, Bytes("1973"));

  const CliRun all = RunCli({"check", none, withPassword, odd, plain, tiny});
  EXPECT_EQ(all.status, 0);
  EXPECT_EQ(all.out, none + ": message, no password\n" + withPassword +
                         ": message, password set\n" + odd + ": message, password set\n" + plain +
                         ": no message\n" + tiny + ": no message\n");
  EXPECT_EQ(all.err, "");

  const auto missing = (dir / "missing.jpg").string();
  const CliRun some = RunCli({"check", missing, none, dir.path().string()});
  EXPECT_EQ(some.status, kFile);
  EXPECT_EQ(some.out, none + ": message, no password\n");
  EXPECT_EQ(some.err, "veyla-cli: " + missing + ": open: No such file or directory\n" +
                          "veyla-cli: " + dir.path().string() + ": open: Is a directory\n");
}

struct ReadCase {
  const char* what;
  ByteString file;
  std::vector<std::string> args;
  int status;
  std::string out;
};

TEST(Cli, ReadExitStatuses) {
  const ByteString locked = WindowBlock(Bytes("locked"), "right", 1);
  const ByteString eight(8, 0x42);
  const ReadCase cases[] = {
      {"no block", kPicture, {}, kNoMessage, ""},
      {"password needed", Concat(kPicture, locked), {}, kPasswordNeeded, ""},
      {"right password", Concat(kPicture, locked), {"--password", "right"}, 0, "locked\n"},
      {"wrong password", Concat(kPicture, locked), {"--password", "wrong"}, kDamaged, ""},
      {"empty block", Concat(kPicture, HandTrailer(0, 0)), {}, 0, "\n"},
      {"empty block, raw",
       Concat(kPicture, HandTrailer(1, 0)),
       {"--raw", "--password", "p"},
       0,
       ""},
      {"length beyond the file", Concat(eight, HandTrailer(0, 9)), {}, kDamaged, ""},
      {"negative length", Concat(eight, HandTrailer(0, -8)), {}, kDamaged, ""},
      {"length -2^31", Concat(eight, HandTrailer(0, INT32_MIN)), {}, kDamaged, ""},
      {"length 2^31-1", Concat(eight, HandTrailer(0, INT32_MAX)), {}, kDamaged, ""},
      {"garbage ciphertext", Concat(eight, HandTrailer(0, 8)), {}, kDamaged, ""},
      {"odd flag, no password: the empty password",
       Concat(kPicture, WindowBlock(Bytes("odd"), "", 2)),
       {},
       0,
       "odd\n"},
  };
  ScratchDir dir;
  const auto carrier = (dir / "c.jpg").string();
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFileBytes(carrier, c.file);
    std::vector<std::string> args = {"read", carrier};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_EQ(run.out, c.out);
    // A failure is one line on standard error that names the file.
    if (c.status != 0) {
      EXPECT_EQ(run.err.rfind("veyla-cli: " + carrier + ": ", 0), 0u) << run.err;
      EXPECT_EQ(run.err.find('\n'), run.err.size() - 1);
    }
    EXPECT_EQ(ReadFileBytes(carrier), c.file);
  }
}

struct HideFailure {
  const char* what;
  std::vector<std::string> args;  // after "hide CARRIER"
  CliOptions run;
  int status;
};

TEST(Cli, FailedHidesLeaveTheCarrierUnchanged) {
  ScratchDir dir;
  std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
  const auto carrier = dir / "c.jpg";
  const ByteString before = Concat(kPicture, WindowBlock(Bytes("earlier"), "kvb", 0));
  WriteFileBytes(dir / "empty.bin", {});
  const auto limitAtSize = static_cast<long>(before.size());
  const HideFailure failures[] = {
      {"empty --message", {"--message", ""}, {}, kUsage},
      {"empty standard input", {}, {}, kUsage},
      {"empty data file", {"--data-file", "@empty.bin"}, {}, kUsage},
      {"two message options", {"--message", "a", "--data-file", "@empty.bin"}, {}, kUsage},
      {"two password options", {"--message", "a", "--password", "p", "--ask-password"}, {}, kUsage},
      {"unknown option", {"--message", "a", "--colour"}, {}, kUsage},
      {"--raw is for read", {"--message", "a", "--raw"}, {}, kUsage},
      {"no terminal to ask on", {"--message", "a", "--ask-password"}, {}, kUsage},
      {"missing message file", {"--message-file", "@missing.txt"}, {}, kFile},
      {"password file is a folder", {"--message", "a", "--password-file", "@"}, {}, kFile},
      {"file-size limit at the carrier's size",
       {"--message", "a"},
       WithFileSizeLimit(limitAtSize),
       kFile},
      {"file-size limit inside the block",
       {"--message", "a"},
       WithFileSizeLimit(limitAtSize + 5),
       kFile},
      {"not allowed to write", {"--message", "a"}, AsNobody(), kFile},
  };
  for (const HideFailure& f : failures) {
    SCOPED_TRACE(f.what);
    WriteFileBytes(carrier, before);
    ::chmod(carrier.c_str(), 0644);
    std::vector<std::string> args = {"hide", carrier.string()};
    for (const auto& a : Resolve(dir, f.args)) args.push_back(a);
    const CliRun run = RunCli(args, f.run);
    EXPECT_EQ(run.status, f.status) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_EQ(ReadFileBytes(carrier), before);
  }
  const CliRun tooLarge =
      RunCli({"hide", carrier.string(), "--message", "a"}, WithFileSizeLimit(limitAtSize + 5));
  EXPECT_EQ(tooLarge.err,
            "veyla-cli: " + carrier.string() + ": write: File too large; the file is unchanged\n");
}

// A carrier opened while descriptor 2 is closed would get its number and receive the error
// message.
TEST(Cli, ClosedStandardErrorNeverReceivesTheCarrier) {
  ScratchDir dir;
  const auto carrier = (dir / "c.jpg").string();
  WriteFileBytes(carrier, kPicture);
  const CliRun run = RunCli({"hide", carrier, "--message", ""}, WithStandardErrorClosed());
  EXPECT_EQ(run.status, kUsage);
  EXPECT_EQ(ReadFileBytes(carrier), kPicture);
}

// Directories, FIFOs, devices and missing files: exit 2 at once, nothing created, no wait
// for a writer on the FIFO.
TEST(Cli, OnlyExistingRegularFilesAreUsed) {
  ScratchDir dir;
  const auto fifo = (dir / "fifo").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const auto missing = (dir / "missing.jpg").string();
  for (const std::string& target : {fifo, dir.path().string(), std::string("/dev/null"), missing}) {
    SCOPED_TRACE(target);
    for (const std::vector<std::string>& args : {std::vector<std::string>{"check", target},
                                                 {"read", target},
                                                 {"hide", target, "--message", "m"}}) {
      const CliRun run = RunCli(args);
      EXPECT_EQ(run.status, kFile) << args[0];
      EXPECT_EQ(run.err.rfind("veyla-cli: " + target + ": open: ", 0), 0u) << run.err;
    }
  }
  EXPECT_FALSE(std::filesystem::exists(missing));
  const CliRun fromFifo = RunCli({"hide", (dir / "c").string(), "--data-file", fifo});
  EXPECT_EQ(fromFifo.status, kFile);
}

TEST(Cli, CarrierNotReadableByTheUserIsReportedAndUnchanged) {
  ScratchDir dir;
  std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
  const auto carrier = (dir / "c.jpg").string();
  const ByteString before = Concat(kPicture, WindowBlock(Bytes("m"), "kvb", 0));
  WriteFileBytes(carrier, before);
  ::chmod(carrier.c_str(), 0600);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"check", carrier}, {"read", carrier}}) {
    const CliRun run = RunCli(args, AsNobody());
    EXPECT_EQ(run.status, kFile);
    EXPECT_EQ(run.err, "veyla-cli: " + carrier + ": open: Permission denied\n");
  }
  EXPECT_EQ(ReadFileBytes(carrier), before);
}

TEST(Cli, UsageHelpAndVersion) {
  const CliRun help = RunCli({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("Usage:", 0), 0u);
  EXPECT_NE(help.out.find("--password-file"), std::string::npos);
  EXPECT_EQ(RunCli({"read", "x", "--help"}).status, 0);
  const CliRun version = RunCli({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "veyla-cli 1.0.0\n");
  for (const std::vector<std::string>& bad : {std::vector<std::string>{},
                                              {"check"},
                                              {"read", "a", "b"},
                                              {"hide"},
                                              {"wipe", "a"},
                                              {"read", "a", "--password"},
                                              {"check", "a", "--password", "p"}}) {
    const CliRun run = RunCli(bad);
    EXPECT_EQ(run.status, kUsage);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err.rfind("veyla-cli: ", 0), 0u);
  }
}

// Reads what the program writes to its terminal until `until` shows up or it goes quiet.
std::string ReadTerminal(int master, const std::string& until) {
  std::string seen;
  while (until.empty() || seen.find(until) == std::string::npos) {
    pollfd p{master, POLLIN, 0};
    if (::poll(&p, 1, 10000) <= 0) break;
    char chunk[256];
    const ssize_t n = ::read(master, chunk, sizeof chunk);
    if (n <= 0) break;
    seen.append(chunk, static_cast<std::size_t>(n));
  }
  return seen;
}

TEST(Cli, AskPasswordPromptsTwiceWithoutEchoWhenHiding) {
  ScratchDir dir;
  const std::string carrier = (dir / "c.jpg").string();
  WriteFileBytes(carrier, kPicture);
  int master = -1;
  const pid_t pid = ::forkpty(&master, nullptr, nullptr, nullptr);
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    ::execl(CliPath(), CliPath(), "hide", carrier.c_str(), "--message", "m", "--ask-password",
            static_cast<char*>(nullptr));
    ::_exit(122);
  }
  std::string shown = ReadTerminal(master, "Password: ");
  ASSERT_EQ(::write(master, "口令 7\n", 9), 9);
  shown += ReadTerminal(master, "Password again: ");
  ASSERT_EQ(::write(master, "口令 7\n", 9), 9);
  shown += ReadTerminal(master, "");
  int status = 0;
  ::waitpid(pid, &status, 0);
  ::close(master);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << shown;
  EXPECT_EQ(shown.find("口令"), std::string::npos) << shown;
  EXPECT_EQ(ReadFileBytes(carrier),
            Concat(kPicture, WindowBlock(Bytes("m"), text::Gb18030FromUtf8("口令 7"), 1)));
}

}  // namespace
}  // namespace veyla::testing
