#pragma once
// Builds JPEG files for tests and benchmarks with libjpeg's compressor, so every fixture is
// made at run time from a description rather than stored.

#include <QRgb>
#include <cstdint>
#include <functional>
#include <vector>

namespace veyla::window::testing {

enum class JpegColour {
  Grey,  // one component
  Rgb,   // YCbCr in the file
  Cmyk,  // four components with an Adobe marker, values stored inverted as Photoshop does
};

struct JpegRecipe {
  int width = 1;
  int height = 1;
  JpegColour colour = JpegColour::Rgb;
  bool progressive = false;
  int quality = 90;
};

// The colour of the pixel at (x, y); greyscale files keep its green component.
using PixelSource = std::function<QRgb(int x, int y)>;

std::vector<std::uint8_t> MakeJpeg(const JpegRecipe& recipe, const PixelSource& pixel);

// A picture with detail everywhere (gradients plus a checker pattern), closer to a photograph's
// cost to decode than a flat colour.
QRgb DetailedPixel(int x, int y);

// Closer to a photograph of `width` × `height`: broad smooth colour fields, a fine texture and
// a little noise; at quality 90 it compresses to under 2 bits per pixel, like a camera's JPEG.
QRgb PhotoLikePixel(int x, int y, int width, int height);

}  // namespace veyla::window::testing
