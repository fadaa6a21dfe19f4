#pragma once
// The six operations the main window offers its click handlers. The Qt window implements it;
// tests use a fake. No operation runs a handler.

#include <filesystem>

#include "common/byte_string.h"

namespace veyla::app {

// The edit boxes the handlers read or write, by the controls' names.
enum class EditBox {
  Message,          // 编辑框1: the message to hide (multi-line)
  HidePassword,     // 编辑框2: the password for hiding
  FileName,         // 文件名编辑框: the carrier file's path
  RevealedMessage,  // 编辑框3: the revealed message (multi-line)
  ReadPassword,     // 编辑框4: the password for reading (masked)
};

class Window {
 public:
  virtual ~Window() = default;

  // The box's whole text as stored text (GB18030); the lines of a multi-line box are joined
  // by "\r\n"; an empty box gives the empty text.
  virtual Text GetText(EditBox box) = 0;
  // Replaces the box's whole text; shown up to its first zero byte.
  virtual void SetText(EditBox box, const Text& text) = 0;
  // Replaces the status line's (标签6) text and redraws it at once.
  virtual void SetCaption(const Text& text) = 0;
  // Shows the picture held in the file (图片框2). A file that cannot be opened or holds no
  // recognised picture, or the empty path, leaves the box without a picture.
  virtual void SetPicture(const std::filesystem::path& file) = 0;
  // Shows the file dialog (通用对话框1) modally: true when the user confirmed a file.
  virtual bool OpenFileDialog() = 0;
  // The dialog's file name: the full path after a confirmed choice, otherwise what it held
  // before (empty until the first confirmed choice).
  virtual Text DialogFileName() = 0;
};

}  // namespace veyla::app
