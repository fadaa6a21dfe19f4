#pragma once
// The window's push buttons: never the default button, so Enter clicks none of them (Space and
// the mouse still do); the caption is centred and wraps onto a second line when it is wider
// than the button.

#include <QPushButton>

namespace veyla::window {

class PushButton : public QPushButton {
  Q_OBJECT

 public:
  PushButton(const QString& caption, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace veyla::window
