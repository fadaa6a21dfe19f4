#include "app/window/picture_fit.h"

#include <algorithm>

namespace veyla::window {

PictureRect FitPicture(int areaWidth, int areaHeight, int pictureWidth, int pictureHeight) {
  int width = std::max(pictureWidth, 0);
  int height = std::max(pictureHeight, 0);
  if (width == 0 || height == 0) {
    width = 0;
    height = 0;
  } else if (width > areaWidth || height > areaHeight) {
    const double factor = std::min(static_cast<double>(areaWidth) / pictureWidth,
                                   static_cast<double>(areaHeight) / pictureHeight);
    width = std::max(static_cast<int>(pictureWidth * factor), 0);
    height = std::max(static_cast<int>(pictureHeight * factor), 0);
  }
  return {(areaWidth - width) / 2, (areaHeight - height) / 2, width, height};
}

}  // namespace veyla::window
