// Writes the fuzzers' seed corpus with the project's own cipher and block writer:
//   veyla-make-fuzz-seeds fuzz/corpus

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "carrier/hidden_block.h"
#include "cipher/message_cipher.h"
#include "text/encoding.h"

namespace {

using veyla::ByteString;

void Write(const std::filesystem::path& file, const ByteString& bytes) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

ByteString Concat(ByteString a, const ByteString& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path root = argc > 1 ? argv[1] : "fuzz/corpus";
  struct Message {
    std::string utf8;
    std::string password;
  };
  const std::vector<Message> messages = {
      {"hi", ""}, {"今晚八点老地方见", "秘密"}, {"twelve bytes", "kvb"}, {"😊 emoji", "pw"}};
  const ByteString picture{0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 0xFF, 0xD9};

  int n = 0;
  for (const Message& m : messages) {
    const std::string password = veyla::text::Gb18030FromUtf8(m.password);
    const ByteString data = veyla::BytesFromText(veyla::text::Gb18030FromUtf8(m.utf8));
    const ByteString cipher = veyla::cipher::EncryptData(data, password.empty() ? "kvb" : password);

    ByteString decryptSeed{static_cast<std::uint8_t>(password.size())};
    decryptSeed = Concat(Concat(decryptSeed, veyla::BytesFromText(password)), cipher);
    Write(root / "decrypt_data" / ("seed-" + std::to_string(n)), decryptSeed);

    const std::int32_t flag = password.empty() ? 0 : 1;
    Write(root / "read_message" / ("seed-" + std::to_string(n)),
          Concat(picture, veyla::carrier::EncodeBlock(cipher, flag)));
    ++n;
  }
  // Trailers whose fields do not fit: empty, negative and oversized lengths, an odd flag.
  const ByteString odd = veyla::carrier::EncodeBlock({}, 2);
  Write(root / "read_message" / "empty-block-flag-2", Concat(picture, odd));
  ByteString huge = Concat(picture, veyla::carrier::EncodeBlock({}, 0));
  huge[huge.size() - 5] = 0x7f;
  huge[huge.size() - 6] = 0xff;
  Write(root / "read_message" / "length-too-large", huge);
  Write(root / "read_message" / "ordinary-picture", picture);
  return 0;
}
