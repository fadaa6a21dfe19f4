#pragma once
// A temporary folder with a picture file, a fake window and a fresh program state.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/commands/handlers.h"
#include "app/commands/status_texts.h"
#include "app/commands/stored_text.h"
#include "carrier/hidden_block.h"
#include "common/byte_string.h"
#include "fake_window.h"

namespace veyla::app::testing {

inline ByteString ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return ByteString(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::filesystem::path& path, const ByteString& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

class CommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("veyla-commands-" + std::to_string(::getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    picture_ = dir_ / "照片.jpg";
    // The handlers never look inside the picture, so a few JPEG-like bytes stand for one.
    original_ = ByteString{0xFF, 0xD8, 0xFF, 0xE0, 'p', 'i', 'c', 't', 'u', 'r', 'e', 0, 0xFF, 0xD9};
    WriteBytes(picture_, original_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // The picture's own bytes followed by one block.
  void WriteCarrier(const std::filesystem::path& path, const ByteString& cipher,
                    std::int32_t flag) const {
    ByteString bytes = original_;
    const ByteString block = carrier::EncodeBlock(cipher, flag);
    bytes.insert(bytes.end(), block.begin(), block.end());
    WriteBytes(path, bytes);
  }

  static Text Stored(std::string_view utf8) { return StoredText(utf8); }
  Text PictureName() const { return Stored(picture_.string()); }

  // Chooses `path` through the dialog, as a click on 浏览按钮 does.
  void Choose(const std::filesystem::path& path) {
    window_.dialogAnswers.push_back(Stored(path.string()));
    SelectPicture(state_, window_);
  }
  void Hide(std::string_view messageUtf8, std::string_view passwordUtf8) {
    window_.boxes[EditBox::Message] = Stored(messageUtf8);
    window_.boxes[EditBox::HidePassword] = Stored(passwordUtf8);
    HideMessage(state_, window_);
  }
  Text Read(std::string_view passwordUtf8) {
    window_.boxes[EditBox::ReadPassword] = Stored(passwordUtf8);
    ReadMessage(state_, window_);
    return window_.boxes[EditBox::RevealedMessage];
  }

  std::filesystem::path dir_;
  std::filesystem::path picture_;
  ByteString original_;
  FakeWindow window_;
  ProgramState state_;
};

}  // namespace veyla::app::testing
