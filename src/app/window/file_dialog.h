#pragma once
// The file-open dialog (通用对话框1). It is no widget of the window: it exists as this object,
// which remembers the file name, and opens a modal dialog only while the user chooses.
//
// Who answers is a seam: the program asks a QFileDialog (PromptWithFileDialog); tests answer
// without showing anything.

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QFileDialog;
class QWidget;

namespace veyla::window {

// Asks the user for a file, modally over `owner`, offering `offered` as the file name (empty
// for none). Gives the chosen file's full path, or nullopt when the user cancels.
using FileDialogPrompt =
    std::function<std::optional<QString>(QWidget* owner, const QString& offered)>;

// Title, the single "*.jpg" filter, existing files only, Qt's own (non-native) dialog so it
// behaves the same on every platform.
void ConfigurePictureFileDialog(QFileDialog& dialog);

// The program's prompt: a QFileDialog configured as above.
std::optional<QString> PromptWithFileDialog(QWidget* owner, const QString& offered);

class FileDialogControl : public QObject {
  Q_OBJECT

 public:
  // `owner` is the window the dialog is modal over.
  FileDialogControl(FileDialogPrompt prompt, QWidget* owner, QObject* parent);

  // Shows the dialog offering the current file name. True when the user confirmed a file,
  // whose full path becomes the file name; a cancelled dialog leaves the name alone.
  bool Open();
  // Empty until the first confirmed choice.
  const QString& FileName() const { return fileName_; }

 private:
  FileDialogPrompt prompt_;
  QWidget* owner_;
  QString fileName_;
};

}  // namespace veyla::window
