#pragma once
// The window's edit boxes. Multi-line boxes: framed, both scroll bars always shown, no
// wrapping (the box scrolls sideways), Enter starts a line, Tab moves the focus and never
// inserts a tab. Single-line boxes are Qt's, with their sunken frame; the masked one shows
// every character as "*".

#include <QLineEdit>
#include <QPlainTextEdit>

#include "app/window/control_table.h"

namespace veyla::window {

class MultiLineEdit : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit MultiLineEdit(QWidget* parent);

 protected:
  bool event(QEvent* event) override;
};

// Single-line box; `masked` shows "*" for every character, whatever the platform's own mask.
QLineEdit* MakeLineEdit(bool masked, QWidget* parent);

// Text and background colours of an edit box.
void ApplyEditColours(QWidget& box, const ControlColours& colours);

}  // namespace veyla::window
