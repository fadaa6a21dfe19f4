#include "app/window/framed_border.h"

#include <qdrawutil.h>

#include <QPainter>

namespace veyla::window {

// Each of the two edges is two pixels wide.
constexpr int kEdgeWidth = kFramedBorderWidth / 2;

QRect InsideFramedBorder(const QRect& outer) {
  return outer.adjusted(kFramedBorderWidth, kFramedBorderWidth, -kFramedBorderWidth,
                        -kFramedBorderWidth);
}

void PaintFramedBorder(QPainter& painter, const QRect& outer, const QPalette& palette) {
  qDrawWinPanel(&painter, outer, palette, /*sunken=*/false);
  qDrawWinPanel(&painter, outer.adjusted(kEdgeWidth, kEdgeWidth, -kEdgeWidth, -kEdgeWidth), palette,
                /*sunken=*/true);
}

}  // namespace veyla::window
