#pragma once
// The two labels that draw themselves: the status line (标签6) and the help text (标签7).
// Both show their text and nothing else: no focus, no events of their own. Text that does not
// fit is cut off at the inner edge.

#include <QLabel>

#include "app/window/control_table.h"

namespace veyla::window {

// Light grey box with a thin black line; one line of blue-violet text, left-aligned and centred
// vertically, in a 14-pixel Song font.
class StatusLine : public QLabel {
  Q_OBJECT

 public:
  StatusLine(const ControlColours& colours, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ControlColours colours_;
};

// Framed; the silver-pink-grey gradient (gradient.h) behind teal text wrapped to the width,
// from the top-left corner down. Line breaks in the text are "\r\n".
class HelpText : public QLabel {
  Q_OBJECT

 public:
  HelpText(const ControlColours& colours, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  ControlColours colours_;
};

// The status line's font: "宋体" (SimSun) at a character height of 14 pixels, normal weight;
// where SimSun is not installed, a Simplified Chinese Song (serif) face, then a sans one.
QFont StatusLineFont();

QColor ToQColor(const Rgb& rgb);

}  // namespace veyla::window
