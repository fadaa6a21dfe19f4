#pragma once
// The command line of veyla-cli, turned into what a command needs. Parsing only: nothing is
// opened or read here.

#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace veyla::cli {

enum class Command { Check, Hide, Read, Help, Version };

// Where the message to hide comes from.
enum class MessageSource {
  StandardInput,  // UTF-8 text on standard input (no message option)
  Text,           // --message TEXT (UTF-8)
  TextFile,       // --message-file PATH (UTF-8)
  DataFile,       // --data-file PATH, "-" for standard input: bytes hidden exactly
};

// Where the password comes from.
enum class PasswordSource {
  Environment,  // no option: VEYLA_PASSWORD when set, else none
  Text,         // --password TEXT
  File,         // --password-file PATH
  Terminal,     // --ask-password
};

struct Options {
  Command command = Command::Help;
  std::vector<std::string> files;
  MessageSource messageSource = MessageSource::StandardInput;
  std::string message;  // the text or the path, by messageSource
  PasswordSource passwordSource = PasswordSource::Environment;
  std::string password;  // the text or the path, by passwordSource
  bool raw = false;
};

struct UsageError {
  std::string message;
};

// `arguments` excludes the program name. --help and --version, in the place of the command or
// of an option, win over everything else.
std::variant<Options, UsageError> ParseArguments(std::span<const std::string_view> arguments);

}  // namespace veyla::cli
