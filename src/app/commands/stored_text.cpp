#include "app/commands/stored_text.h"

#include "text/encoding.h"

namespace veyla::app {

Text StoredText(std::string_view utf8) { return text::Gb18030FromUtf8(utf8); }

std::filesystem::path PathFromText(const Text& name) {
  return std::filesystem::path(text::Utf8FromGb18030(name));
}

}  // namespace veyla::app
