#include "platform/terminal.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <csignal>
#include <string>

namespace veyla::platform {
namespace {

// Everything the child writes to its terminal until `until` appears (or, when empty, until
// the terminal closes); gives up after a few seconds of silence.
std::string ReadTerminal(int master, const std::string& until) {
  std::string seen;
  for (;;) {
    if (!until.empty() && seen.find(until) != std::string::npos) return seen;
    pollfd p{master, POLLIN, 0};
    if (::poll(&p, 1, 5000) <= 0) return seen;
    char chunk[256];
    const ssize_t n = ::read(master, chunk, sizeof chunk);
    if (n <= 0) return seen;  // EIO once the child has gone
    seen.append(chunk, static_cast<std::size_t>(n));
  }
}

bool EchoIsOn() {
  termios t{};
  return ::tcgetattr(STDIN_FILENO, &t) == 0 && (t.c_lflag & ECHO) != 0;
}

volatile std::sig_atomic_t gInterrupted = 0;
extern "C" void NoteInterrupt(int) {
  gInterrupted = 1;
}

struct ChildOnTerminal {
  pid_t pid;
  int master;
  int result;  // read end of a pipe carrying the child's line
};

// Starts a child whose controlling terminal is a new pseudo-terminal; the child asks for a
// secret line, sends it through a pipe and exits 0 only when echo is on again afterwards.
ChildOnTerminal StartAsking() {
  int pipeEnds[2];
  EXPECT_EQ(::pipe(pipeEnds), 0);
  int master = -1;
  const pid_t pid = ::forkpty(&master, nullptr, nullptr, nullptr);
  if (pid == 0) {
    ::close(pipeEnds[0]);
    struct sigaction action {};
    action.sa_handler = NoteInterrupt;
    ::sigaction(SIGINT, &action, nullptr);
    if (!EchoIsOn()) ::_exit(90);
    auto line = ReadSecretLine("Password: ");
    const std::string sent = line.ok() ? "ok:" + line.value() : "error:" + line.error().Describe();
    (void)!::write(pipeEnds[1], sent.data(), sent.size());
    ::_exit(EchoIsOn() ? (gInterrupted ? 3 : 0) : 91);
  }
  ::close(pipeEnds[1]);
  return {pid, master, pipeEnds[0]};
}

std::pair<int, std::string> Finish(const ChildOnTerminal& child) {
  std::string sent;
  char chunk[256];
  for (ssize_t n; (n = ::read(child.result, chunk, sizeof chunk)) > 0;) {
    sent.append(chunk, static_cast<std::size_t>(n));
  }
  int status = 0;
  ::waitpid(child.pid, &status, 0);
  ::close(child.result);
  ::close(child.master);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status), sent};
}

TEST(Terminal, ReadsASecretLineWithoutEchoAndRestoresEcho) {
  const ChildOnTerminal child = StartAsking();
  ASSERT_GT(child.pid, 0);
  EXPECT_NE(ReadTerminal(child.master, "Password: ").find("Password: "), std::string::npos);
  const std::string typed = "s3cret word\n";
  ASSERT_EQ(::write(child.master, typed.data(), typed.size()), static_cast<ssize_t>(typed.size()));
  const std::string shown = ReadTerminal(child.master, "");
  const auto [code, sent] = Finish(child);
  EXPECT_EQ(code, 0);
  EXPECT_EQ(sent, "ok:s3cret word");
  EXPECT_EQ(shown.find("s3cret"), std::string::npos) << shown;
}

TEST(Terminal, AnInterruptRestoresEchoAndReachesTheProcessHandler) {
  const ChildOnTerminal child = StartAsking();
  ASSERT_GT(child.pid, 0);
  ReadTerminal(child.master, "Password: ");
  const std::string typed = "half";
  ASSERT_EQ(::write(child.master, typed.data(), typed.size()), 4);
  const char interrupt = '\x03';  // the terminal's default intr character
  ASSERT_EQ(::write(child.master, &interrupt, 1), 1);
  ReadTerminal(child.master, "");
  const auto [code, sent] = Finish(child);
  EXPECT_EQ(code, 3);  // echo on again, and the child's own SIGINT handler ran
  EXPECT_EQ(sent.rfind("error:", 0), 0u) << sent;
}

}  // namespace
}  // namespace veyla::platform
