#include "jpeg_writer.h"

#include <jpeglib.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>

namespace veyla::window::testing {

std::vector<std::uint8_t> MakeJpeg(const JpegRecipe& recipe, const PixelSource& pixel) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr errors{};
  cinfo.err = jpeg_std_error(&errors);  // fixtures are well-formed; an error may exit()
  jpeg_CreateCompress(&cinfo, JPEG_LIB_VERSION, sizeof(cinfo));

  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);

  cinfo.image_width = static_cast<JDIMENSION>(recipe.width);
  cinfo.image_height = static_cast<JDIMENSION>(recipe.height);
  switch (recipe.colour) {
    case JpegColour::Grey:
      cinfo.input_components = 1;
      cinfo.in_color_space = JCS_GRAYSCALE;
      break;
    case JpegColour::Rgb:
      cinfo.input_components = 3;
      cinfo.in_color_space = JCS_RGB;
      break;
    case JpegColour::Cmyk:
      cinfo.input_components = 4;
      cinfo.in_color_space = JCS_CMYK;
      break;
  }
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, recipe.quality, TRUE);
  if (recipe.colour == JpegColour::Cmyk) {
    jpeg_set_colorspace(&cinfo, JCS_YCCK);  // writes the Adobe marker
  }
  if (recipe.progressive) {
    jpeg_simple_progression(&cinfo);
  }
  jpeg_start_compress(&cinfo, TRUE);

  const auto components = static_cast<std::size_t>(cinfo.input_components);
  std::vector<JSAMPLE> row(static_cast<std::size_t>(recipe.width) * components);
  for (int y = 0; y < recipe.height; ++y) {
    for (int x = 0; x < recipe.width; ++x) {
      const QRgb rgb = pixel(x, y);
      JSAMPLE* out = row.data() + static_cast<std::size_t>(x) * components;
      switch (recipe.colour) {
        case JpegColour::Grey:
          out[0] = static_cast<JSAMPLE>(qGreen(rgb));
          break;
        case JpegColour::Rgb:
          out[0] = static_cast<JSAMPLE>(qRed(rgb));
          out[1] = static_cast<JSAMPLE>(qGreen(rgb));
          out[2] = static_cast<JSAMPLE>(qBlue(rgb));
          break;
        case JpegColour::Cmyk: {
          // Simple CMYK with no black ink; stored inverted (255 = no ink).
          out[0] = static_cast<JSAMPLE>(qRed(rgb));
          out[1] = static_cast<JSAMPLE>(qGreen(rgb));
          out[2] = static_cast<JSAMPLE>(qBlue(rgb));
          out[3] = 255;
          break;
        }
      }
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);

  std::vector<std::uint8_t> bytes(buffer, buffer + size);
  std::free(buffer);
  return bytes;
}

QRgb DetailedPixel(int x, int y) {
  const int checker = ((x / 8) + (y / 8)) % 2 == 0 ? 40 : 0;
  return qRgb((x * 7 + checker) & 0xFF, (y * 5 + checker) & 0xFF, ((x + y) * 3) & 0xFF);
}

QRgb PhotoLikePixel(int x, int y, int width, int height) {
  const double fx = static_cast<double>(x) / width;
  const double fy = static_cast<double>(y) / height;
  const double texture = 18 * std::sin(x * 0.21) * std::cos(y * 0.17);
  // A small integer hash of the position as noise in -6..6.
  std::uint32_t h = static_cast<std::uint32_t>(x) * 7919u + static_cast<std::uint32_t>(y) * 104729u;
  h ^= h >> 16;
  h *= 0x7feb352du;
  h ^= h >> 15;
  const int noise = static_cast<int>(h % 13) - 6;
  const auto channel = [&](double base) {
    return std::clamp(static_cast<int>(base + texture) + noise, 0, 255);
  };
  return qRgb(channel(128 + 90 * std::sin(fx * 6.1 + fy * 2.3)),
              channel(128 + 80 * std::cos(fx * 3.7 - fy * 5.1)),
              channel(128 + 70 * std::sin((fx + fy) * 4.4)));
}

}  // namespace veyla::window::testing
