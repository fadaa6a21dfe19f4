#include "app/window/edit_boxes.h"

#include <QPainter>
#include <QProxyStyle>
#include <QScrollBar>

#include "app/window/framed_border.h"
#include "app/window/labels.h"

namespace veyla::window {
namespace {

// The style of a masked box: "*" as the mask, and never a moment where the last typed
// character is shown in clear.
class MaskStyle : public QProxyStyle {
 public:
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_LineEdit_PasswordCharacter) {
      return '*';
    }
    if (hint == SH_LineEdit_PasswordMaskDelay) {
      return 0;
    }
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

}  // namespace

MultiLineEdit::MultiLineEdit(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setTabChangesFocus(true);
  // A panel as wide as the framed border keeps the text and the scroll bars inside it; event()
  // then draws the framed border over the panel.
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(kFramedBorderWidth);
}

bool MultiLineEdit::event(QEvent* event) {
  // Paint events of the box itself (not of its viewport) draw the frame and the corner
  // between the scroll bars; the border goes on top of them.
  const bool handled = QPlainTextEdit::event(event);
  if (event->type() == QEvent::Paint) {
    QPainter painter(this);
    PaintFramedBorder(painter, rect(), palette());
  }
  return handled;
}

QLineEdit* MakeLineEdit(bool masked, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  if (masked) {
    auto* style = new MaskStyle;
    style->setParent(box);
    box->setStyle(style);
    box->setEchoMode(QLineEdit::Password);
  }
  return box;
}

void ApplyEditColours(QWidget& box, const ControlColours& colours) {
  QPalette palette = box.palette();
  palette.setColor(QPalette::Text, ToQColor(colours.text));
  if (colours.background) {
    palette.setColor(QPalette::Base, ToQColor(*colours.background));
  }
  box.setPalette(palette);
}

}  // namespace veyla::window
