#pragma once
// JPEG pictures for the picture box, through libjpeg(-turbo), read straight from the file.
//
// The decoder reads the header, works out the size the picture is drawn at in a box of
// `areaWidth` × `areaHeight` (picture_fit.h), lets libjpeg scale in the DCT domain to the
// smallest size of M/8 (M = 1..8) that is not below the drawn size, and smooth-scales that to
// the drawn size. Greyscale, colour (YCbCr/RGB) and CMYK/YCCK pictures (the Adobe convention:
// a file with an Adobe marker stores inverted values), baseline and progressive.
//
// Bytes after the image's end are never read. A damaged, truncated or unsupported file gives
// nullopt: errors return to the decoder instead of ending the process, and libjpeg's messages
// are never printed.

#include <cstddef>
#include <optional>

#include "app/window/decoded_picture.h"
#include "app/window/file_chunks.h"

namespace veyla::window {

enum class JpegScaling {
  SmallestNotBelowDrawnSize,  // what the picture box uses
  FullSize,                   // decode every pixel, then scale: for comparison only
};

// What the decoder built before the final scaling, for measurements.
struct JpegDecodeStats {
  int decodedWidth = 0;
  int decodedHeight = 0;
  qsizetype decodedBytes = 0;
};

// Decodes the JPEG whose bytes `chunks` delivers from its first byte on.
std::optional<DecodedPicture> DecodeJpegForArea(
    FileChunks& chunks, int areaWidth, int areaHeight,
    JpegScaling scaling = JpegScaling::SmallestNotBelowDrawnSize, JpegDecodeStats* stats = nullptr);

// True when `front` starts like a JPEG file (start-of-image marker, then a marker).
bool LooksLikeJpeg(std::span<const std::uint8_t> front);

}  // namespace veyla::window
