// The whole read path on an arbitrary file: the window's read handler (trailer, marker test,
// flag, length, ciphertext, decryption, text conversion) over a file holding the input bytes.
// The first byte picks the typed password, so the password-needed path is reached too.

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/commands/handlers.h"
#include "input_file.h"
#include "text/encoding.h"

namespace {

class QuietWindow : public veyla::app::Window {
 public:
  veyla::Text GetText(veyla::app::EditBox box) override {
    switch (box) {
      case veyla::app::EditBox::FileName: return fileName;
      case veyla::app::EditBox::ReadPassword: return password;
      default: return {};
    }
  }
  void SetText(veyla::app::EditBox, const veyla::Text& text) override {
    // What the window would show: the stored text decoded for display.
    shown = veyla::text::Utf8FromGb18030(text);
  }
  void SetCaption(const veyla::Text& text) override { caption = text; }
  void SetPicture(const std::filesystem::path&) override {}
  bool OpenFileDialog() override { return false; }
  veyla::Text DialogFileName() override { return {}; }

  veyla::Text fileName;
  veyla::Text password;
  veyla::Text caption;
  std::string shown;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = veyla::fuzzing::WriteInputFile("carrier", data, size);
  if (path.empty()) return 0;

  QuietWindow window;
  window.fileName = path;
  window.password = (size > 0 && data[0] % 2 == 1) ? "kvb" : "";
  veyla::app::ProgramState state;
  state.pictureChosen = 1;
  veyla::app::ReadMessage(state, window);
  if (window.caption.empty()) __builtin_trap();  // every path ends with a status text
  return 0;
}
