// The picture box's decoder on an arbitrary file: JPEG through libjpeg, other formats through
// Qt's readers, fitted into the box's inner area. Every input ends in a picture or in nothing.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/window/picture_decoder.h"
#include "platform/file.h"

namespace {

std::string PicturePath() {
  const std::string folder = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
  return folder + "/veyla-fuzz-picture-" + std::to_string(::getpid());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = PicturePath();
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return 0;
  std::fwrite(data, 1, size, f);
  std::fclose(f);

  auto opened = veyla::platform::File::OpenForReading(path);
  if (!opened) return 0;
  const auto picture = veyla::window::DecodePictureForArea(opened.value(), 396, 196);
  (void)picture;
  return 0;
}
