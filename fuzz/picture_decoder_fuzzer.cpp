// The picture box's decoder on an arbitrary file: JPEG through libjpeg, other formats through
// Qt's readers, fitted into the box's inner area. Every input ends in a picture or in nothing.

#include <cstddef>
#include <cstdint>
#include <string>

#include "app/window/picture_decoder.h"
#include "input_file.h"
#include "platform/file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = veyla::fuzzing::WriteInputFile("picture", data, size);
  if (path.empty()) return 0;

  auto opened = veyla::platform::File::OpenForReading(path);
  if (!opened) return 0;
  // 392 × 192: the picture box's inner area.
  (void)veyla::window::DecodePictureForArea(opened.value(), 392, 192);
  return 0;
}
