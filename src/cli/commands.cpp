#include "cli/commands.h"

#include <string>

#include "carrier/carrier_file.h"
#include "carrier/hidden_block.h"
#include "carrier/password_rules.h"
#include "cipher/message_cipher.h"
#include "cli/inputs.h"
#include "platform/file.h"
#include "platform/standard_streams.h"
#include "text/encoding.h"

namespace veyla::cli {

namespace {

constexpr std::string_view kProgramName = "veyla-cli";

Failure OutputFailure(const Error& error) {
  return Failure{kExitFile, "standard output: " + error.Describe()};
}

// What check says about one file, or why it could not tell.
Outcome<std::string> CheckOne(const std::string& path) {
  auto file = platform::File::OpenForReading(path);
  if (!file) return FileFailure(path, file.error());
  auto tail = carrier::ReadTail(file.value());
  if (!tail) return FileFailure(path, tail.error());
  if (!carrier::HasMarker(tail.value())) return path + ": no message";
  const bool passwordSet = carrier::ParseTrailer(tail.value()).passwordFlag != 0;
  return path + (passwordSet ? ": message, password set" : ": message, no password");
}

Outcome<ByteString> ReadDecrypted(const Options& options) {
  const std::string& path = options.files.front();
  auto file = platform::File::OpenForReading(path);
  if (!file) return FileFailure(path, file.error());
  auto tail = carrier::ReadTail(file.value());
  if (!tail) return FileFailure(path, tail.error());
  if (!carrier::HasMarker(tail.value())) {
    return Failure{kExitNoMessage, path + ": no hidden message"};
  }
  const carrier::Trailer trailer = carrier::ParseTrailer(tail.value());

  // The default password needs nothing from the user: a flag of 0 asks for nothing.
  Text typed;
  if (trailer.passwordFlag != 0) {
    auto given = TypedPassword(options, /*confirm=*/false);
    if (auto* failure = std::get_if<Failure>(&given)) return std::move(*failure);
    typed = std::get<Text>(std::move(given));
  }
  const auto password = carrier::ChooseReadPassword(trailer.passwordFlag, typed);
  if (!password) {
    return Failure{kExitPasswordNeeded,
                   path +
                       ": the message is protected by a password; give it with --password, "
                       "--password-file, --ask-password or VEYLA_PASSWORD"};
  }

  auto ciphertext = carrier::ReadCiphertext(file.value(), trailer.cipherLength);
  if (!ciphertext) return FileFailure(path, ciphertext.error());
  ByteString data = cipher::DecryptData(ciphertext.value(), *password);
  if (data.empty() && trailer.cipherLength != 0) {
    return Failure{kExitDamaged, path + ": the hidden message is damaged or the password is wrong"};
  }
  return data;
}

}  // namespace

void ReportFailure(const Failure& failure) {
  platform::WriteStandardError(std::string(kProgramName) + ": " + failure.message + "\n");
}

ExitStatus RunCheck(const Options& options) {
  ExitStatus status = kExitSuccess;
  for (const std::string& path : options.files) {
    auto outcome = CheckOne(path);
    if (auto* failure = std::get_if<Failure>(&outcome)) {
      ReportFailure(*failure);
      status = kExitFile;
      continue;
    }
    if (auto written = platform::WriteStandardOutput(std::get<std::string>(outcome) + "\n");
        !written) {
      ReportFailure(OutputFailure(written.error()));
      return kExitFile;
    }
  }
  return status;
}

ExitStatus RunHide(const Options& options) {
  const std::string& path = options.files.front();
  // The carrier is opened first, so that a file that cannot be written is reported before
  // a message is read from standard input or a password is asked for.
  auto file = platform::File::OpenForAppending(path);
  if (!file) {
    ReportFailure(FileFailure(path, file.error()));
    return kExitFile;
  }
  auto message = MessageToHide(options);
  if (auto* failure = std::get_if<Failure>(&message)) {
    ReportFailure(*failure);
    return failure->status;
  }
  if (std::get<ByteString>(message).empty()) {
    ReportFailure({kExitUsage, "the message is empty; nothing was hidden"});
    return kExitUsage;
  }
  auto typed = TypedPassword(options, /*confirm=*/true);
  if (auto* failure = std::get_if<Failure>(&typed)) {
    ReportFailure(*failure);
    return failure->status;
  }
  const carrier::HidePassword password = carrier::ChooseHidePassword(std::get<Text>(typed));
  const ByteString ciphertext =
      cipher::EncryptData(std::get<ByteString>(message), password.password);
  if (ciphertext.empty()) {
    ReportFailure(
        {kExitUsage, "the message could not be encrypted (too long?); nothing was hidden"});
    return kExitUsage;
  }
  if (auto appended = carrier::AppendBlock(file.value(), ciphertext, password.flag); !appended) {
    ReportFailure(
        {kExitFile, path + ": " + appended.error().Describe() + "; the file is unchanged"});
    return kExitFile;
  }
  return kExitSuccess;
}

ExitStatus RunRead(const Options& options) {
  auto outcome = ReadDecrypted(options);
  if (auto* failure = std::get_if<Failure>(&outcome)) {
    ReportFailure(*failure);
    return failure->status;
  }
  const ByteString& data = std::get<ByteString>(outcome);
  const auto written =
      options.raw
          ? platform::WriteStandardOutput(data)
          : platform::WriteStandardOutput(text::Utf8FromGb18030(TextFromBytes(data)) + "\n");
  if (!written) {
    ReportFailure(OutputFailure(written.error()));
    return kExitFile;
  }
  return kExitSuccess;
}

}  // namespace veyla::cli
