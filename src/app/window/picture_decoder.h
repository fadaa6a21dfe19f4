#pragma once
// Turns a picture file into the picture the picture box draws. The format is told by the
// file's first bytes, never by its name: JPEG (jpeg_decoder.h), and BMP, GIF (its first frame)
// and PNG through Qt's readers. Anything else, and any damaged picture, gives nullopt.
// The file is read from its current position, chunk by chunk.

#include <optional>

#include "app/window/decoded_picture.h"
#include "platform/file.h"

namespace veyla::window {

std::optional<DecodedPicture> DecodePictureForArea(platform::File& file, int areaWidth,
                                                   int areaHeight);

}  // namespace veyla::window
