#pragma once
// The main window (窗口), built from its definition (control_table.h): fixed client area,
// close button and system menu but no minimise or maximise, the button-face background, the
// program's icon. Esc closes it from every control; Tab and Shift+Tab walk the focus cycle.

#include <QWidget>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "app/window/control_table.h"
#include "app/window/file_dialog.h"

class QAbstractButton;
class QLineEdit;

namespace veyla::window {

class FileDialogControl;
class MultiLineEdit;
class PictureBox;
class StatusLine;

class MainWindow : public QWidget {
  Q_OBJECT

 public:
  // Builds the window and every control of `controls`, each visible or hidden as defined, not
  // yet shown. nullptr when the definition does not hold together: a name used twice, or a
  // container that is neither the window nor one of its group boxes.
  static std::unique_ptr<MainWindow> Create(std::span<const ControlDefinition> controls,
                                            FileDialogPrompt prompt);

  // Shows the window for the first time at its place, the focus on the first control of the
  // focus cycle.
  void ShowFirstTime();

  // The control of that name, nullptr when there is none of that kind.
  QObject* Control(std::string_view name) const;
  QLineEdit* LineEdit(std::string_view name) const;
  MultiLineEdit* MultiLine(std::string_view name) const;
  QAbstractButton* Button(std::string_view name) const;
  StatusLine* Status() const;
  PictureBox* Pictures() const;
  FileDialogControl* FileDialog() const;

 private:
  MainWindow();
  bool Build(std::span<const ControlDefinition> controls, FileDialogPrompt prompt);

  std::map<std::string, QObject*, std::less<>> controls_;
};

}  // namespace veyla::window
