#include "app/window/window_operations.h"

#include <QFile>
#include <QLineEdit>
#include <string_view>

#include "app/window/edit_boxes.h"
#include "app/window/file_dialog.h"
#include "app/window/labels.h"
#include "app/window/main_window.h"
#include "app/window/picture_box.h"
#include "text/encoding.h"

namespace veyla::window {
namespace {

std::string_view ControlName(app::EditBox box) {
  switch (box) {
    case app::EditBox::Message:
      return control::kMessage;
    case app::EditBox::HidePassword:
      return control::kHidePassword;
    case app::EditBox::FileName:
      return control::kFileName;
    case app::EditBox::RevealedMessage:
      return control::kRevealedMessage;
    case app::EditBox::ReadPassword:
      return control::kReadPassword;
  }
  return {};
}

Text StoredFromQString(const QString& shown) {
  const QByteArray utf8 = shown.toUtf8();
  return text::Gb18030FromUtf8(std::string_view(utf8.constData(), utf8.size()));
}

QString QStringFromStored(const Text& stored) {
  const std::string utf8 = text::Utf8FromGb18030(TextUpToZero(stored));
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace

Text WindowOperations::GetText(app::EditBox box) {
  const std::string_view name = ControlName(box);
  if (const MultiLineEdit* lines = window_.MultiLine(name)) {
    QString shown = lines->toPlainText();
    shown.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return StoredFromQString(shown);
  }
  if (const QLineEdit* line = window_.LineEdit(name)) {
    return StoredFromQString(line->text());
  }
  return {};
}

void WindowOperations::SetText(app::EditBox box, const Text& text) {
  const std::string_view name = ControlName(box);
  QString shown = QStringFromStored(text);
  if (MultiLineEdit* lines = window_.MultiLine(name)) {
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines->setPlainText(shown);
  } else if (QLineEdit* line = window_.LineEdit(name)) {
    line->setText(shown);
  }
}

void WindowOperations::SetCaption(const Text& text) {
  if (StatusLine* status = window_.Status()) {
    status->setText(QStringFromStored(text));
    status->repaint();
  }
}

void WindowOperations::SetPicture(const std::filesystem::path& file) {
  if (PictureBox* pictures = window_.Pictures()) {
    pictures->ShowPictureFile(file);
  }
}

bool WindowOperations::OpenFileDialog() {
  FileDialogControl* dialog = window_.FileDialog();
  return dialog != nullptr && dialog->Open();
}

Text WindowOperations::DialogFileName() {
  const FileDialogControl* dialog = window_.FileDialog();
  return dialog == nullptr ? Text() : StoredFromQString(dialog->FileName());
}

}  // namespace veyla::window
