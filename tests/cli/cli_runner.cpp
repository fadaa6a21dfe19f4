#include "cli_runner.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace veyla::testing {

const char* CliPath() {
  return VEYLA_CLI_PATH;
}

CliOptions WithInput(std::string input, Environment environment) {
  CliOptions o;
  o.input = std::move(input);
  o.environment = std::move(environment);
  return o;
}

CliOptions WithEnvironment(Environment environment) {
  return WithInput("", std::move(environment));
}

CliOptions WithFileSizeLimit(long bytes) {
  CliOptions o;
  o.fileSizeLimit = bytes;
  return o;
}

CliOptions AsNobody() {
  CliOptions o;
  o.asNobody = true;
  return o;
}

namespace {

constexpr auto kPatience = std::chrono::seconds(20);

std::vector<std::string> ChildEnvironment(const CliOptions& options) {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) {
    if (std::strncmp(*e, "VEYLA_PASSWORD=", 15) != 0) env.emplace_back(*e);
  }
  for (const auto& [name, value] : options.environment) env.push_back(name + "=" + value);
  return env;
}

void Pipe(int ends[2]) {
  if (::pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
}

}  // namespace

CliRun RunCli(const std::vector<std::string>& arguments, const CliOptions& options) {
  std::vector<std::string> argStrings = {CliPath()};
  argStrings.insert(argStrings.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (auto& a : argStrings) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> envStrings = ChildEnvironment(options);
  std::vector<char*> envp;
  for (auto& e : envStrings) envp.push_back(e.data());
  envp.push_back(nullptr);

  int in[2], out[2], err[2];
  Pipe(in);
  Pipe(out);
  Pipe(err);
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error("fork failed");
  if (pid == 0) {
    // A session of its own has no controlling terminal: a prompt fails instead of waiting
    // for someone at the terminal the tests were started from.
    ::setsid();
    ::dup2(in[0], STDIN_FILENO);
    ::dup2(out[1], STDOUT_FILENO);
    ::dup2(err[1], STDERR_FILENO);
    if (options.fileSizeLimit >= 0) {
      const rlimit limit{static_cast<rlim_t>(options.fileSizeLimit),
                         static_cast<rlim_t>(options.fileSizeLimit)};
      if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(120);
    }
    if (options.closeStandardError) ::close(STDERR_FILENO);
    if (options.asNobody && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(121);
    ::execve(argv[0], argv.data(), envp.data());
    ::_exit(122);
  }
  ::close(in[0]);
  ::close(out[1]);
  ::close(err[1]);

  CliRun run;
  std::size_t inputSent = 0;
  int inFd = in[1];
  if (options.input.empty()) {
    ::close(inFd);
    inFd = -1;
  }
  int outFd = out[0], errFd = err[0];
  const auto deadline = std::chrono::steady_clock::now() + kPatience;
  bool killed = false;
  // SIGPIPE would end the test when the child stops reading its input early.
  struct sigaction ignore {
  }, previous{};
  ignore.sa_handler = SIG_IGN;
  ::sigaction(SIGPIPE, &ignore, &previous);
  while (outFd >= 0 || errFd >= 0) {
    pollfd fds[3] = {{outFd, POLLIN, 0}, {errFd, POLLIN, 0}, {inFd, POLLOUT, 0}};
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      ::kill(pid, SIGKILL);
      killed = true;
      break;
    }
    if (::poll(fds, 3, static_cast<int>(left.count())) < 0) continue;
    for (int i = 0; i < 2; ++i) {
      int& fd = i == 0 ? outFd : errFd;
      if (fd < 0 || fds[i].revents == 0) continue;
      char chunk[65536];
      const ssize_t n = ::read(fd, chunk, sizeof chunk);
      if (n <= 0) {
        ::close(fd);
        fd = -1;
      } else {
        (i == 0 ? run.out : run.err).append(chunk, static_cast<std::size_t>(n));
      }
    }
    if (inFd >= 0 && fds[2].revents != 0) {
      const ssize_t n = ::write(inFd, options.input.data() + inputSent,
                                std::min<std::size_t>(options.input.size() - inputSent, 65536));
      if (n > 0) inputSent += static_cast<std::size_t>(n);
      if (n < 0 || inputSent == options.input.size()) {
        ::close(inFd);
        inFd = -1;
      }
    }
  }
  ::sigaction(SIGPIPE, &previous, nullptr);
  for (int fd : {inFd, outFd, errFd}) {
    if (fd >= 0) ::close(fd);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (killed) {
    run.status = -1;
  } else {
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  return run;
}

CliOptions WithStandardErrorClosed() {
  CliOptions o;
  o.closeStandardError = true;
  return o;
}

}  // namespace veyla::testing
