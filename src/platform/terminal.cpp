#include "platform/terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <span>

#include "platform/descriptor.h"

namespace veyla::platform {

namespace {

// The signals that commonly end a process while it waits at a prompt. Each would leave the
// terminal without echo if it ended the process before the settings were restored.
constexpr std::array kEndingSignals = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

volatile std::sig_atomic_t gPendingSignal = 0;

extern "C" void NoteSignal(int signal) {
  gPendingSignal = signal;
}

// Catches the ending signals for its lifetime without SA_RESTART, so a blocked read returns
// with EINTR and the caller can restore the terminal; the previous handling comes back after.
class SignalCatch {
 public:
  SignalCatch() {
    gPendingSignal = 0;
    struct sigaction action {};
    action.sa_handler = NoteSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
      ::sigaction(kEndingSignals[i], &action, &previous_[i]);
    }
  }
  SignalCatch(const SignalCatch&) = delete;
  SignalCatch& operator=(const SignalCatch&) = delete;
  ~SignalCatch() {
    for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
      ::sigaction(kEndingSignals[i], &previous_[i], nullptr);
    }
  }

 private:
  std::array<struct sigaction, kEndingSignals.size()> previous_{};
};

class TerminalDescriptor {
 public:
  explicit TerminalDescriptor(int fd) : fd_(fd) {}
  TerminalDescriptor(const TerminalDescriptor&) = delete;
  TerminalDescriptor& operator=(const TerminalDescriptor&) = delete;
  ~TerminalDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

// A longer line is no password anyone typed.
constexpr std::size_t kMaximumLine = std::size_t{64} * 1024;

void Say(int fd, std::string_view text) {
  (void)detail::WriteAll(fd, std::as_bytes(std::span(text)), "write terminal");
}

}  // namespace

Result<std::string> ReadSecretLine(std::string_view prompt) {
  int raw;
  do {
    raw = ::open("/dev/tty", O_RDWR | O_CLOEXEC | O_NOCTTY);
  } while (raw < 0 && errno == EINTR);
  if (raw < 0) return ErrorFromErrno("open terminal", errno);
  TerminalDescriptor tty(raw);

  termios saved{};
  if (::tcgetattr(tty.get(), &saved) != 0) return ErrorFromErrno("open terminal", errno);

  std::string line;
  bool complete = false;
  int readError = 0;
  int caught = 0;
  {
    SignalCatch signalCatch;
    termios quiet = saved;
    quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    quiet.c_lflag |= ICANON;
    if (::tcsetattr(tty.get(), TCSAFLUSH, &quiet) != 0) {
      return ErrorFromErrno("set terminal", errno);
    }
    Say(tty.get(), prompt);
    // The ending signals stay blocked except while ppoll waits, so one that arrives between
    // two reads is seen at the next wait instead of being missed by a read that then blocks.
    sigset_t ending, original;
    sigemptyset(&ending);
    for (int signal : kEndingSignals) sigaddset(&ending, signal);
    ::sigprocmask(SIG_BLOCK, &ending, &original);
    sigset_t waiting = original;
    for (int signal : kEndingSignals) sigdelset(&waiting, signal);
    while (!complete && line.size() < kMaximumLine && gPendingSignal == 0) {
      pollfd ready{tty.get(), POLLIN, 0};
      if (::ppoll(&ready, 1, nullptr, &waiting) < 0) {
        if (errno == EINTR) continue;  // the loop's test sees a caught signal
        readError = errno;
        break;
      }
      char chunk[256];
      const ssize_t n = ::read(tty.get(), chunk, sizeof chunk);
      if (n < 0) {
        if (errno == EINTR || errno == EAGAIN) continue;
        readError = errno;
        break;
      }
      if (n == 0) break;
      for (ssize_t i = 0; i < n && !complete; ++i) {
        if (chunk[i] == '\n') {
          complete = true;
        } else {
          line.push_back(chunk[i]);
        }
      }
    }
    ::sigprocmask(SIG_SETMASK, &original, nullptr);
    ::tcsetattr(tty.get(), TCSAFLUSH, &saved);
    Say(tty.get(), "\n");
    caught = gPendingSignal;
  }
  if (caught != 0) {
    ::raise(caught);
    return ErrorFromErrno("read terminal", EINTR);
  }
  if (readError != 0) return ErrorFromErrno("read terminal", readError);
  if (!complete) return ErrorFromErrno("read terminal", EIO);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

}  // namespace veyla::platform
