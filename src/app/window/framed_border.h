#pragma once
// The "framed" border of the picture box, the help text and the multi-line edit boxes: a
// raised outer edge with a sunken edge inside it, a thick double border.

#include <QPalette>
#include <QRect>

class QPainter;

namespace veyla::window {

// The border's width on each side, in pixels; the inner area starts this far in.
inline constexpr int kFramedBorderWidth = 4;

// The area inside the border of a control whose outer rectangle is `outer`.
QRect InsideFramedBorder(const QRect& outer);

// Draws the border along the edges of `outer`; the inside is left alone.
void PaintFramedBorder(QPainter& painter, const QRect& outer, const QPalette& palette);

}  // namespace veyla::window
