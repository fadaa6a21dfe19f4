#pragma once
// The six operations the click handlers use, carried out on the Qt window. Texts cross here:
// the window holds Qt strings, the handlers stored text (GB18030); multi-line boxes give and
// take their lines joined by "\r\n".

#include "app/commands/window.h"

namespace veyla::window {

class MainWindow;

class WindowOperations : public app::Window {
 public:
  // `window` must outlive this object.
  explicit WindowOperations(MainWindow& window) : window_(window) {}

  Text GetText(app::EditBox box) override;
  void SetText(app::EditBox box, const Text& text) override;
  void SetCaption(const Text& text) override;
  void SetPicture(const std::filesystem::path& file) override;
  bool OpenFileDialog() override;
  Text DialogFileName() override;

 private:
  MainWindow& window_;
};

}  // namespace veyla::window
