#pragma once
// Runs the real veyla-cli program as a child process and collects what it did.

#include <string>
#include <utility>
#include <vector>

namespace veyla::testing {

struct CliRun {
  int status = -1;  // exit status; 128 + n after signal n; -1 when it had to be killed
  std::string out;
  std::string err;
};

struct CliOptions {
  std::string input;                                             // standard input
  std::vector<std::pair<std::string, std::string>> environment;  // added to a clean copy
  bool asNobody = false;            // drop to user and group 65534 before starting
  long fileSizeLimit = -1;          // RLIMIT_FSIZE for the child, -1 for none
  bool closeStandardError = false;  // start the program with descriptor 2 closed
};

using Environment = std::vector<std::pair<std::string, std::string>>;
CliOptions WithInput(std::string input, Environment environment = {});
CliOptions WithEnvironment(Environment environment);
CliOptions WithFileSizeLimit(long bytes);
CliOptions AsNobody();
CliOptions WithStandardErrorClosed();

// The program's path, from the build.
const char* CliPath();

// Runs veyla-cli with `arguments`. VEYLA_PASSWORD is removed from the inherited environment.
// A run that takes longer than 20 seconds is killed (status -1): nothing may hang.
CliRun RunCli(const std::vector<std::string>& arguments, const CliOptions& options = {});

}  // namespace veyla::testing
