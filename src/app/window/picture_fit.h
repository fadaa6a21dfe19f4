#pragma once
// Where a picture of w × h pixels is drawn inside the picture box's inner area of W × H.
//
// A picture that fits is drawn at its own size; a larger one is scaled down by the real factor
// min(W / w, H / h), each drawn side cut to whole pixels, so its proportions are kept and it is
// never enlarged. Either way it is centred, the half of the leftover space rounded down.

namespace veyla::window {

struct PictureRect {
  int x = 0;  // left edge, relative to the inner area
  int y = 0;  // top edge, relative to the inner area
  int width = 0;
  int height = 0;

  friend bool operator==(const PictureRect&, const PictureRect&) = default;
};

// `areaWidth`, `areaHeight`: the inner area; `pictureWidth`, `pictureHeight`: the picture, both
// at least 1. Sizes of 0 or less give the empty rectangle at the area's centre.
PictureRect FitPicture(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight);

}  // namespace veyla::window
