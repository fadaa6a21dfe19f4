#include "app/window/file_dialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace veyla::window {

void ConfigurePictureFileDialog(QFileDialog& dialog) {
  dialog.setWindowTitle(QStringLiteral("请输入欲加解密的文件名："));
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  // Qt takes the pattern from the trailing ASCII parentheses; hiding the details shows the
  // entry exactly as "JPEG图形文件（*.jpg）".
  dialog.setOption(QFileDialog::HideNameFilterDetails, true);
  dialog.setNameFilter(QStringLiteral("JPEG图形文件（*.jpg） (*.jpg)"));
}

std::optional<QString> PromptWithFileDialog(QWidget* owner, const QString& offered) {
  QFileDialog dialog(owner);
  ConfigurePictureFileDialog(dialog);
  if (!offered.isEmpty()) {
    dialog.selectFile(offered);
  }
  if (dialog.exec() != QDialog::Accepted) {
    return std::nullopt;
  }
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) {
    return std::nullopt;
  }
  return QFileInfo(chosen.first()).absoluteFilePath();
}

FileDialogControl::FileDialogControl(FileDialogPrompt prompt, QWidget* owner, QObject* parent)
    : QObject(parent), prompt_(std::move(prompt)), owner_(owner) {}

bool FileDialogControl::Open() {
  const std::optional<QString> chosen = prompt_(owner_, fileName_);
  if (!chosen) {
    return false;
  }
  fileName_ = *chosen;
  return true;
}

}  // namespace veyla::window
