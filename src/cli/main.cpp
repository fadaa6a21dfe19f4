// veyla-cli: hides a message in a picture file, checks for one, reads it back.

#include <new>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/help.h"
#include "platform/file.h"
#include "platform/standard_streams.h"

namespace {

int Run(int argc, char** argv) {
  using namespace veyla::cli;

  const std::vector<std::string_view> arguments(argv + (argc > 0 ? 1 : 0), argv + argc);
  const auto parsed = ParseArguments(arguments);
  if (const auto* usage = std::get_if<UsageError>(&parsed)) {
    ReportFailure({kExitUsage, usage->message + " (see veyla-cli --help)"});
    return kExitUsage;
  }
  const Options& options = std::get<Options>(parsed);
  switch (options.command) {
    case Command::Check:
      return RunCheck(options);
    case Command::Hide:
      return RunHide(options);
    case Command::Read:
      return RunRead(options);
    case Command::Help:
      return veyla::platform::WriteStandardOutput(HelpText()) ? 0 : kExitFile;
    case Command::Version:
      return veyla::platform::WriteStandardOutput(VersionText()) ? 0 : kExitFile;
  }
  return kExitUsage;
}

}  // namespace

int main(int argc, char** argv) {
  veyla::platform::EnsureStandardStreamsOpen();
  veyla::platform::IgnoreFileSizeSignal();
  try {
    return Run(argc, argv);
  } catch (const std::bad_alloc&) {
    veyla::cli::ReportFailure({veyla::cli::kExitUsage, "not enough memory for the message"});
    return veyla::cli::kExitUsage;
  }
}
