#include "app/window/picture_decoder.h"

#include <QIODevice>
#include <QImageReader>
#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>

#include "app/window/file_chunks.h"
#include "app/window/jpeg_decoder.h"
#include "app/window/picture_fit.h"

namespace veyla::window {
namespace {

// The formats besides JPEG, by the bytes a file of that format starts with.
struct Signature {
  std::string_view magic;
  const char* qtFormat;
};
constexpr std::array<Signature, 4> kOtherFormats{{
    {"\x89PNG\r\n\x1a\n", "png"},
    {"GIF87a", "gif"},
    {"GIF89a", "gif"},
    {"BM", "bmp"},
}};

const char* QtFormatOf(std::span<const std::uint8_t> front) {
  for (const Signature& signature : kOtherFormats) {
    if (front.size() >= signature.magic.size() &&
        std::equal(signature.magic.begin(), signature.magic.end(), front.begin(),
                   [](char expected, std::uint8_t actual) {
                     return static_cast<std::uint8_t>(expected) == actual;
                   })) {
      return signature.qtFormat;
    }
  }
  return nullptr;
}

// A read-only, sequential device over the file's chunks, for Qt's image readers.
class ChunkDevice : public QIODevice {
 public:
  explicit ChunkDevice(FileChunks& chunks) : chunks_(chunks) { open(QIODevice::ReadOnly); }
  bool isSequential() const override { return true; }

 protected:
  qint64 readData(char* data, qint64 maxSize) override {
    qint64 copied = 0;
    while (copied < maxSize) {
      if (pending_.empty()) {
        pending_ = chunks_.Next();
        if (pending_.empty()) {
          break;
        }
      }
      const auto count =
          std::min<std::size_t>(pending_.size(), static_cast<std::size_t>(maxSize - copied));
      std::memcpy(data + copied, pending_.data(), count);
      pending_ = pending_.subspan(count);
      copied += static_cast<qint64>(count);
    }
    return copied;
  }
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  FileChunks& chunks_;
  std::span<const std::uint8_t> pending_;
};

std::optional<DecodedPicture> DecodeWithQt(FileChunks& chunks, const char* format, int areaWidth,
                                           int areaHeight) {
  ChunkDevice device(chunks);
  QImageReader reader(&device, format);
  const QImage full = reader.read();
  if (full.isNull() || chunks.Failed()) {
    return std::nullopt;
  }
  const PictureRect drawn = FitPicture(areaWidth, areaHeight, full.width(), full.height());
  const QSize size(std::max(drawn.width, 1), std::max(drawn.height, 1));
  DecodedPicture picture;
  picture.originalWidth = full.width();
  picture.originalHeight = full.height();
  picture.image = full.size() == size
                      ? full
                      : full.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  return picture;
}

}  // namespace

std::optional<DecodedPicture> DecodePictureForArea(platform::File& file, int areaWidth,
                                                   int areaHeight) {
  FileChunks chunks(file);
  const auto front = chunks.Front();
  if (LooksLikeJpeg(front)) {
    return DecodeJpegForArea(chunks, areaWidth, areaHeight);
  }
  if (const char* format = QtFormatOf(front)) {
    return DecodeWithQt(chunks, format, areaWidth, areaHeight);
  }
  return std::nullopt;
}

}  // namespace veyla::window
