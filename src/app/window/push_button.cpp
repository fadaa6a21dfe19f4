#include "app/window/push_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace veyla::window {

PushButton::PushButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {
  setAutoDefault(false);
  setDefault(false);
}

void PushButton::paintEvent(QPaintEvent*) {
  // The style draws the button without its caption; the caption is drawn here so that it can
  // wrap, which the style's own label never does.
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();
  painter.drawControl(QStyle::CE_PushButton, option);

  initStyleOption(&option);
  const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  painter.setPen(
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
  painter.drawText(contents, Qt::AlignCenter | Qt::TextWordWrap, text());
}

}  // namespace veyla::window
