#include "app/window/labels.h"

#include <QPainter>

#include "app/window/framed_border.h"
#include "app/window/gradient.h"

namespace veyla::window {

QColor ToQColor(const Rgb& rgb) {
  return QColor(rgb.red, rgb.green, rgb.blue);
}

QFont StatusLineFont() {
  QFont font;
  font.setFamilies({QStringLiteral("SimSun"), QStringLiteral("宋体"),
                    QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")});
  font.setPixelSize(14);
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  font.setUnderline(false);
  return font;
}

StatusLine::StatusLine(const ControlColours& colours, QWidget* parent)
    : QLabel(parent), colours_(colours) {
  setTextFormat(Qt::PlainText);
  setFont(StatusLineFont());
}

void StatusLine::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect outer = rect();
  if (colours_.background) {
    painter.fillRect(outer, ToQColor(*colours_.background));
  }
  painter.setPen(Qt::black);
  painter.drawRect(outer.adjusted(0, 0, -1, -1));

  // One pixel of line, one of space, then the text.
  const QRect inner = outer.adjusted(2, 1, -1, -1);
  painter.setClipRect(inner);
  painter.setPen(ToQColor(colours_.text));
  painter.setFont(font());
  painter.drawText(inner, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text());
}

HelpText::HelpText(const ControlColours& colours, QWidget* parent)
    : QLabel(parent), colours_(colours) {
  setTextFormat(Qt::PlainText);
}

void HelpText::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect inner = InsideFramedBorder(rect());
  for (int x = 0; x < inner.width(); ++x) {
    painter.fillRect(inner.x() + x, inner.y(), 1, inner.height(),
                     ToQColor(GradientColumnColour(x, inner.width())));
  }
  PaintFramedBorder(painter, rect(), palette());

  painter.setClipRect(inner);
  painter.setPen(ToQColor(colours_.text));
  painter.setFont(font());
  QString shown = text();
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  painter.drawText(inner, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, shown);
}

}  // namespace veyla::window
