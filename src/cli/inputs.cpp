#include "cli/inputs.h"

#include <cstdlib>
#include <string>

#include "platform/file.h"
#include "platform/standard_streams.h"
#include "platform/terminal.h"
#include "text/encoding.h"

namespace veyla::cli {

namespace {

constexpr const char* kPasswordVariable = "VEYLA_PASSWORD";

// All the bytes as a string, zero bytes included.
std::string AsText(const ByteString& bytes) {
  return std::string(bytes.begin(), bytes.end());
}

Outcome<ByteString> ReadInput(const std::string& path) {
  auto bytes = path == "-" ? platform::ReadStandardInput() : platform::ReadWholeFile(path);
  if (!bytes) return FileFailure(path == "-" ? "standard input" : path, bytes.error());
  return std::move(bytes).value();
}

// One "\n" or "\r\n" at the end, as echo and editors leave it; a lone "\r" stays.
void StripOneLineBreak(std::string& s) {
  if (!s.ends_with('\n')) return;
  s.pop_back();
  if (s.ends_with('\r')) s.pop_back();
}

Outcome<std::string> AskTerminal(bool confirm) {
  auto first = platform::ReadSecretLine("Password: ");
  if (!first)
    return Failure{kExitUsage, "cannot ask for the password: " + first.error().Describe()};
  if (confirm) {
    auto second = platform::ReadSecretLine("Password again: ");
    if (!second) {
      return Failure{kExitUsage, "cannot ask for the password: " + second.error().Describe()};
    }
    if (second.value() != first.value()) {
      return Failure{kExitUsage, "the two passwords differ; nothing was hidden"};
    }
  }
  return std::move(first).value();
}

Outcome<std::string> TypedUtf8(const Options& options, bool confirm) {
  switch (options.passwordSource) {
    case PasswordSource::Text:
      return options.password;
    case PasswordSource::File: {
      auto bytes = ReadInput(options.password);
      if (auto* failure = std::get_if<Failure>(&bytes)) return std::move(*failure);
      std::string text = AsText(std::get<ByteString>(bytes));
      StripOneLineBreak(text);
      return text;
    }
    case PasswordSource::Terminal:
      return AskTerminal(confirm);
    case PasswordSource::Environment:
      break;
  }
  const char* fromEnvironment = std::getenv(kPasswordVariable);
  return std::string(fromEnvironment != nullptr ? fromEnvironment : "");
}

}  // namespace

Outcome<ByteString> MessageToHide(const Options& options) {
  switch (options.messageSource) {
    case MessageSource::Text:
      return BytesFromText(text::Gb18030FromUtf8(options.message));
    case MessageSource::DataFile:
      return ReadInput(options.message);
    case MessageSource::TextFile:
    case MessageSource::StandardInput:
      break;
  }
  if (options.messageSource == MessageSource::StandardInput &&
      platform::StandardInputIsTerminal()) {
    platform::WriteStandardError("Type the message, then Ctrl-D on a line of its own:\n");
  }
  auto bytes = ReadInput(options.messageSource == MessageSource::TextFile ? options.message : "-");
  if (auto* failure = std::get_if<Failure>(&bytes)) return std::move(*failure);
  return BytesFromText(text::Gb18030FromUtf8(AsText(std::get<ByteString>(bytes))));
}

Outcome<Text> TypedPassword(const Options& options, bool confirm) {
  auto utf8 = TypedUtf8(options, confirm);
  if (auto* failure = std::get_if<Failure>(&utf8)) return std::move(*failure);
  return text::Gb18030FromUtf8(std::get<std::string>(utf8));
}

}  // namespace veyla::cli
