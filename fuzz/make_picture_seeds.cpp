// Writes the picture decoder's seed corpus: small JPEGs of each colour layout made with
// libjpeg's compressor, one with a hidden block behind it, and a PNG and a BMP through Qt.
//   veyla-make-picture-seeds fuzz/corpus/picture_decoder

#include <QBuffer>
#include <QImage>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "carrier/hidden_block.h"
#include "cipher/message_cipher.h"
#include "support/jpeg_writer.h"

namespace {

using veyla::window::testing::JpegColour;
using veyla::window::testing::JpegRecipe;

void Write(const std::filesystem::path& file, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<std::uint8_t> Encoded(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return {bytes.begin(), bytes.end()};
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path root = argc > 1 ? argv[1] : "fuzz/corpus/picture_decoder";
  std::filesystem::create_directories(root);
  const auto pixel = [](int x, int y) { return veyla::window::testing::DetailedPixel(x, y); };

  Write(root / "grey.jpg", MakeJpeg(JpegRecipe{16, 8, JpegColour::Grey, false, 75}, pixel));
  Write(root / "colour-progressive.jpg",
        MakeJpeg(JpegRecipe{24, 16, JpegColour::Rgb, true, 75}, pixel));
  Write(root / "cmyk.jpg", MakeJpeg(JpegRecipe{8, 8, JpegColour::Cmyk, false, 75}, pixel));

  auto carrier = MakeJpeg(JpegRecipe{16, 16, JpegColour::Rgb, false, 60}, pixel);
  const auto block = veyla::carrier::EncodeBlock(
      veyla::cipher::EncryptData(veyla::ByteString{'h', 'i'}, "kvb"), 0);
  carrier.insert(carrier.end(), block.begin(), block.end());
  Write(root / "carrier.jpg", carrier);

  QImage small(6, 4, QImage::Format_RGB32);
  small.fill(Qt::magenta);
  Write(root / "small.png", Encoded(small, "PNG"));
  Write(root / "small.bmp", Encoded(small, "BMP"));
  return 0;
}
