// The picture box: the fit and the gradient as pure functions, JPEG decoding through libjpeg
// (kinds, DCT scaling, appended blocks, damage), other formats, and what the box draws.

#include <QBuffer>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "app/window/file_chunks.h"
#include "app/window/framed_border.h"
#include "app/window/gradient.h"
#include "app/window/jpeg_decoder.h"
#include "app/window/picture_box.h"
#include "app/window/picture_decoder.h"
#include "app/window/picture_fit.h"
#include "platform/file.h"
#include "support/jpeg_writer.h"
#include "window_test_registry.h"

Q_DECLARE_METATYPE(veyla::window::testing::JpegColour)

namespace veyla::window::testing {
namespace {

// The picture box's inner area: 400 × 200 less the framed border.
constexpr int kInnerWidth = 400 - 2 * kFramedBorderWidth;
constexpr int kInnerHeight = 200 - 2 * kFramedBorderWidth;

void WriteFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

std::optional<DecodedPicture> Decode(const std::filesystem::path& path, int width = kInnerWidth,
                                     int height = kInnerHeight) {
  auto file = platform::File::OpenForReading(path);
  if (!file.ok()) return std::nullopt;
  return DecodePictureForArea(file.value(), width, height);
}

bool Near(QRgb actual, QRgb expected, int tolerance) {
  return std::abs(qRed(actual) - qRed(expected)) <= tolerance &&
         std::abs(qGreen(actual) - qGreen(expected)) <= tolerance &&
         std::abs(qBlue(actual) - qBlue(expected)) <= tolerance;
}

QRgb Flat(QRgb colour) {
  return colour;
}

}  // namespace

class PictureTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { QVERIFY(dir_.isValid()); }

  void fit_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QRect>("drawn");  // relative to the 392 × 192 inner area
    QTest::newRow("small: own size, centred") << QSize(200, 100) << QRect(96, 46, 200, 100);
    QTest::newRow("4:3 large: full height") << QSize(1600, 1200) << QRect(68, 0, 256, 192);
    QTest::newRow("wide: full width") << QSize(800, 100) << QRect(0, 71, 392, 49);
    QTest::newRow("exactly the area") << QSize(392, 192) << QRect(0, 0, 392, 192);
    QTest::newRow("one pixel too wide") << QSize(393, 192) << QRect(0, 0, 392, 191);
    QTest::newRow("one pixel") << QSize(1, 1) << QRect(195, 95, 1, 1);
    QTest::newRow("a thread: cut to nothing") << QSize(10000, 1) << QRect(0, 96, 392, 0);
  }

  void fit() {
    QFETCH(QSize, picture);
    QFETCH(QRect, drawn);
    const PictureRect rect = FitPicture(392, 192, picture.width(), picture.height());
    QCOMPARE(QRect(rect.x, rect.y, rect.width, rect.height), drawn);
  }

  void gradient_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("width");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("left edge: silver") << 0 << 328 << QColor(192, 192, 192);
    QTest::newRow("halfway to pink: cut, not rounded") << 82 << 328 << QColor(223, 160, 192);
    QTest::newRow("middle: pink") << 164 << 328 << QColor(255, 128, 192);
    QTest::newRow("right edge: grey") << 327 << 328 << QColor(128, 128, 128);
    QTest::newRow("odd width: last column past both segments") << 4 << 5 << QColor(128, 128, 128);
    QTest::newRow("one column: no segment") << 0 << 1 << QColor(192, 192, 192);
  }

  void gradient() {
    QFETCH(int, x);
    QFETCH(int, width);
    QFETCH(QColor, colour);
    const Rgb rgb = GradientColumnColour(x, width);
    QCOMPARE(QColor(rgb.red, rgb.green, rgb.blue), colour);
  }

  void decodesEveryKind_data() {
    QTest::addColumn<JpegColour>("colour");
    QTest::addColumn<bool>("progressive");
    QTest::addColumn<QRgb>("expected");
    QTest::newRow("greyscale") << JpegColour::Grey << false << qRgb(90, 90, 90);
    QTest::newRow("colour") << JpegColour::Rgb << false << qRgb(200, 40, 90);
    QTest::newRow("colour, progressive") << JpegColour::Rgb << true << qRgb(30, 160, 220);
    QTest::newRow("CMYK with Adobe marker") << JpegColour::Cmyk << false << qRgb(220, 30, 40);
  }

  void decodesEveryKind() {
    QFETCH(JpegColour, colour);
    QFETCH(bool, progressive);
    QFETCH(QRgb, expected);
    const auto path = Path("kind.jpg");
    WriteFile(path, MakeJpeg({64, 48, colour, progressive, 95},
                             [&](int, int) { return Flat(expected); }));
    const auto picture = Decode(path);
    QVERIFY(picture);
    QCOMPARE(picture->image.size(), QSize(64, 48));
    QCOMPARE(picture->originalWidth, 64);
    QVERIFY2(Near(picture->image.pixel(32, 24), expected, 4),
             qPrintable(QColor(picture->image.pixel(32, 24)).name()));
  }

  // A large picture is scaled by libjpeg to the smallest eighth that still covers the drawn
  // size (1600 × 1200 drawn at 256 × 192: 2/8 gives 400 × 300), never decoded in full.
  void decoderScalesToTheSmallestSufficientEighth() {
    const auto path = Path("large.jpg");
    WriteFile(path, MakeJpeg({1600, 1200}, DetailedPixel));
    auto file = platform::File::OpenForReading(path);
    QVERIFY(file.ok());
    FileChunks chunks(file.value());
    JpegDecodeStats stats;
    const auto picture = DecodeJpegForArea(chunks, kInnerWidth, kInnerHeight,
                                           JpegScaling::SmallestNotBelowDrawnSize, &stats);
    QVERIFY(picture);
    QCOMPARE(QSize(stats.decodedWidth, stats.decodedHeight), QSize(400, 300));
    QCOMPARE(picture->image.size(), QSize(256, 192));
    QCOMPARE(QSize(picture->originalWidth, picture->originalHeight), QSize(1600, 1200));
  }

  void appendedBlockDoesNotDisturbThePicture() {
    const auto plain = MakeJpeg({300, 150}, DetailedPixel);
    auto carrier = plain;
    for (int i = 0; i < 40; ++i) carrier.push_back(static_cast<std::uint8_t>(i * 37));
    for (int b : {16, 0, 0, 0, 1, 0, 0, 0, int{'1'}, int{'9'}, int{'7'}, int{'3'}}) {
      carrier.push_back(static_cast<std::uint8_t>(b));
    }
    WriteFile(Path("plain.jpg"), plain);
    WriteFile(Path("carrier.jpg"), carrier);
    const auto a = Decode(Path("plain.jpg"));
    const auto b = Decode(Path("carrier.jpg"));
    QVERIFY(a && b);
    QCOMPARE(b->image, a->image);
  }

  void unrecognisedOrDamagedGivesNothing_data() {
    QTest::addColumn<QByteArray>("bytes");
    const auto jpeg = MakeJpeg({200, 100}, DetailedPixel);
    const QByteArray whole(reinterpret_cast<const char*>(jpeg.data()),
                           static_cast<qsizetype>(jpeg.size()));
    QTest::newRow("text file") << QByteArray("Dies ist kein Bild.\r\n1973\n");
    QTest::newRow("empty file") << QByteArray();
    QTest::newRow("JPEG cut in half") << whole.left(whole.size() / 2);
    QTest::newRow("JPEG without its last two bytes") << whole.chopped(2);
    QTest::newRow("JPEG header only") << whole.left(20);
    QTest::newRow("start-of-image marker, then garbage")
        << QByteArray("\xFF\xD8\xFF\x00garbage garbage garbage", 26);
  }

  void unrecognisedOrDamagedGivesNothing() {
    QFETCH(QByteArray, bytes);
    const auto path = Path("bad.jpg");
    WriteFile(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    QVERIFY(!Decode(path));
  }

  void otherFormats_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QSize>("size");
    QImage source(40, 30, QImage::Format_RGB32);
    source.fill(qRgb(0, 0, 255));
    for (const char* format : {"PNG", "BMP"}) {
      QByteArray encoded;
      QBuffer buffer(&encoded);
      buffer.open(QIODevice::WriteOnly);
      QVERIFY(source.save(&buffer, format));
      QTest::newRow(format) << encoded << QSize(40, 30);
    }
    // Qt writes no GIF: one blue pixel, by hand (palette blue and white, LZW data for index 0).
    QTest::newRow("GIF") << QByteArray(
                                "GIF89a\x01\x00\x01\x00\x80\x00\x00"
                                "\x00\x00\xFF\xFF\xFF\xFF"
                                "\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00"
                                "\x02\x02\x44\x01\x00\x3B",
                                35)
                         << QSize(1, 1);
  }

  void otherFormats() {
    QFETCH(QByteArray, bytes);
    QFETCH(QSize, size);
    const auto path = Path("picture.jpg");  // the name says JPEG; the content decides
    WriteFile(path, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    const auto picture = Decode(path);
    QVERIFY(picture);
    QCOMPARE(picture->image.size(), size);
    QVERIFY(Near(picture->image.pixel(size.width() / 2, size.height() / 2), qRgb(0, 0, 255), 2));
  }

  // The box draws the picture centred in its inner area over the window's background, and a
  // file it cannot show drops the picture it showed before.
  void boxShowsAndDrops() {
    QWidget window;
    PictureBox box(&window);
    box.setGeometry(0, 0, 400, 200);
    const auto good = Path("red.jpg");
    WriteFile(good, MakeJpeg({200, 100}, [](int, int) { return qRgb(250, 0, 0); }));

    box.ShowPictureFile(good);
    QVERIFY(box.HasPicture());
    const QRect inner = box.InnerArea();
    QCOMPARE(inner.size(), QSize(kInnerWidth, kInnerHeight));
    QCOMPARE(box.PictureArea(), QRect(inner.topLeft() + QPoint(96, 46), QSize(200, 100)));
    const QImage shot = box.grab().toImage();
    QVERIFY(Near(shot.pixel(box.PictureArea().center()), qRgb(250, 0, 0), 6));
    QCOMPARE(QColor(shot.pixel(inner.left() + 10, inner.top() + 10)),
             box.palette().color(QPalette::Window));

    WriteFile(Path("cut.jpg"), [&] {
      auto bytes = MakeJpeg({200, 100}, DetailedPixel);
      bytes.resize(bytes.size() * 2 / 3);
      return bytes;
    }());
    for (const auto& bad : {Path("cut.jpg"), Path("missing.jpg"), std::filesystem::path(),
                            std::filesystem::path(dir_.path().toStdString())}) {
      box.ShowPictureFile(good);
      QVERIFY(box.HasPicture());
      box.ShowPictureFile(bad);
      QVERIFY2(!box.HasPicture(), bad.c_str());
      QVERIFY(box.PictureArea().isEmpty());
    }
  }

 private:
  std::filesystem::path Path(const char* name) const {
    return std::filesystem::path(dir_.path().toStdString()) / name;
  }

  QTemporaryDir dir_;
};

VEYLA_WINDOW_TEST(PictureTest);

}  // namespace veyla::window::testing

#include "picture_test.moc"
