#pragma once
// A picture made ready for the picture box: already scaled to the size it is drawn at.

#include <QImage>

namespace veyla::window {

struct DecodedPicture {
  QImage image;           // at the drawn size (see picture_fit.h); never larger than the file's
  int originalWidth = 0;  // the picture's own size, as the file gives it
  int originalHeight = 0;
};

// The largest picture a decoder builds before scaling it to the drawn size, in bytes. A file
// that would need more (a forged or absurd size) is treated as no picture.
inline constexpr qsizetype kMaxDecodedBytes = qsizetype{256} * 1024 * 1024;

}  // namespace veyla::window
