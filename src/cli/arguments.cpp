#include "cli/arguments.h"

#include <optional>

namespace veyla::cli {

namespace {

enum class Takes { Nothing, Value };

// An option: its name, whether it takes a value, and which commands accept it.
struct OptionRule {
  std::string_view name;
  Takes takes;
  bool forHide;
  bool forRead;
};

constexpr OptionRule kOptions[] = {
    {"--message", Takes::Value, true, false},      {"--message-file", Takes::Value, true, false},
    {"--data-file", Takes::Value, true, false},    {"--password", Takes::Value, true, true},
    {"--password-file", Takes::Value, true, true}, {"--ask-password", Takes::Nothing, true, true},
    {"--raw", Takes::Nothing, false, true},
};

const OptionRule* FindOption(std::string_view name) {
  for (const OptionRule& o : kOptions) {
    if (o.name == name) return &o;
  }
  return nullptr;
}

std::optional<Command> CommandNamed(std::string_view name) {
  if (name == "check") return Command::Check;
  if (name == "hide") return Command::Hide;
  if (name == "read") return Command::Read;
  return std::nullopt;
}

std::string_view CommandName(Command c) {
  switch (c) {
    case Command::Check:
      return "check";
    case Command::Hide:
      return "hide";
    case Command::Read:
      return "read";
    default:
      return "";
  }
}

Options OnlyCommand(Command c) {
  Options options;
  options.command = c;
  return options;
}

bool IsHelp(std::string_view a) {
  return a == "--help" || a == "-h";
}

bool Accepts(Command c, const OptionRule& o) {
  return (c == Command::Hide && o.forHide) || (c == Command::Read && o.forRead);
}

// Records one option; an error text when it clashes with an earlier one.
std::optional<std::string> Apply(Options& options, const OptionRule& o, std::string value,
                                 bool& messageGiven, bool& passwordGiven) {
  const std::string_view n = o.name;
  if (n == "--raw") {
    options.raw = true;
    return std::nullopt;
  }
  if (n == "--message" || n == "--message-file" || n == "--data-file") {
    if (messageGiven) return "give only one of --message, --message-file and --data-file";
    messageGiven = true;
    options.messageSource = n == "--message"        ? MessageSource::Text
                            : n == "--message-file" ? MessageSource::TextFile
                                                    : MessageSource::DataFile;
    options.message = std::move(value);
    return std::nullopt;
  }
  if (passwordGiven) return "give only one of --password, --password-file and --ask-password";
  passwordGiven = true;
  options.passwordSource = n == "--password"        ? PasswordSource::Text
                           : n == "--password-file" ? PasswordSource::File
                                                    : PasswordSource::Terminal;
  options.password = std::move(value);
  return std::nullopt;
}

}  // namespace

std::variant<Options, UsageError> ParseArguments(std::span<const std::string_view> arguments) {
  if (arguments.empty()) return UsageError{"no command given"};
  if (IsHelp(arguments[0])) return OnlyCommand(Command::Help);
  if (arguments[0] == "--version") return OnlyCommand(Command::Version);
  const auto command = CommandNamed(arguments[0]);
  if (!command) return UsageError{"unknown command '" + std::string(arguments[0]) + "'"};

  Options options;
  options.command = *command;
  bool messageGiven = false;
  bool passwordGiven = false;
  bool optionsEnded = false;
  for (std::size_t i = 1; i < arguments.size(); ++i) {
    const std::string_view a = arguments[i];
    if (optionsEnded || a == "-" || !a.starts_with("-")) {
      options.files.emplace_back(a);
      continue;
    }
    if (a == "--") {
      optionsEnded = true;
      continue;
    }
    if (IsHelp(a)) return OnlyCommand(Command::Help);
    if (a == "--version") return OnlyCommand(Command::Version);
    const std::size_t equals = a.find('=');
    const std::string_view name = a.substr(0, equals);
    const OptionRule* rule = FindOption(name);
    if (rule == nullptr) return UsageError{"unknown option '" + std::string(name) + "'"};
    if (!Accepts(*command, *rule)) {
      return UsageError{"'" + std::string(CommandName(*command)) + "' does not take " +
                        std::string(name)};
    }
    std::string value;
    if (rule->takes == Takes::Value) {
      if (equals != std::string_view::npos) {
        value = a.substr(equals + 1);
      } else if (i + 1 < arguments.size()) {
        value = arguments[++i];
      } else {
        return UsageError{std::string(name) + " needs a value"};
      }
    } else if (equals != std::string_view::npos) {
      return UsageError{std::string(name) + " takes no value"};
    }
    if (auto clash = Apply(options, *rule, std::move(value), messageGiven, passwordGiven)) {
      return UsageError{*clash};
    }
  }

  if (options.files.empty()) return UsageError{"no FILE given"};
  if (*command != Command::Check && options.files.size() > 1) {
    return UsageError{"'" + std::string(CommandName(*command)) + "' takes one FILE"};
  }
  return options;
}

}  // namespace veyla::cli
