#include "app/window/jpeg_decoder.h"

// jpeglib.h expects size_t and FILE to be declared before it.
#include <jerror.h>
#include <jpeglib.h>

#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "app/window/picture_fit.h"

namespace veyla::window {
namespace {

// libjpeg's own working memory (a progressive picture keeps every coefficient of the whole
// picture); a file that needs more is refused instead of exhausting the machine.
constexpr long kMaxDecoderMemory = 1024L * 1024 * 1024;

// QImage::Format_RGB32 is 0xffRRGGBB in native byte order; libjpeg-turbo writes that layout
// directly (and sets the fourth byte to 0xff) for its extended output spaces.
constexpr J_COLOR_SPACE kRgb32ColourSpace =
    Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;

// How many rows one read asks for.
constexpr int kRowsPerRead = 8;

// libjpeg sees only `pub`; the rest is ours. `pub` comes first so the pointer libjpeg hands
// back can be turned into this struct.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  bool sawPrematureEnd;
};

struct ChunkSource {
  jpeg_source_mgr pub;
  FileChunks* chunks;
  bool ranOut;  // the file ended before the decoder was done: a truncated picture
};

// Fed to libjpeg once the file has no more bytes, so that it stops at a clean end of image.
constexpr JOCTET kEndOfImage[] = {0xFF, JPEG_EOI};

ErrorManager& ErrorsOf(j_common_ptr cinfo) {
  return *reinterpret_cast<ErrorManager*>(cinfo->err);
}

ChunkSource& SourceOf(j_decompress_ptr cinfo) {
  return *reinterpret_cast<ChunkSource*>(cinfo->src);
}

// A fatal libjpeg error: back to RunDecoder's setjmp instead of exit().
[[noreturn]] void OnError(j_common_ptr cinfo) {
  std::longjmp(ErrorsOf(cinfo).jump, 1);
}

// Warnings and traces are never printed; a warning that the data ended early marks the
// picture as damaged.
void OnMessage(j_common_ptr cinfo, int level) {
  if (level >= 0) {
    return;
  }
  cinfo->err->num_warnings++;
  const int code = cinfo->err->msg_code;
  if (code == JWRN_JPEG_EOF || code == JWRN_HIT_MARKER) {
    ErrorsOf(cinfo).sawPrematureEnd = true;
  }
}

void PrintNothing(j_common_ptr) {}

void InitSource(j_decompress_ptr) {}
void TermSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr cinfo) {
  ChunkSource& source = SourceOf(cinfo);
  std::span<const std::uint8_t> chunk;
  if (!source.ranOut) {
    try {
      chunk = source.chunks->Next();
    } catch (...) {
      // Nothing may unwind through libjpeg's C frames; a failed read is an early end.
      chunk = {};
    }
  }
  if (chunk.empty()) {
    source.ranOut = true;
    source.pub.next_input_byte = kEndOfImage;
    source.pub.bytes_in_buffer = sizeof(kEndOfImage);
  } else {
    source.pub.next_input_byte = chunk.data();
    source.pub.bytes_in_buffer = chunk.size();
  }
  return TRUE;
}

void SkipInputData(j_decompress_ptr cinfo, long count) {
  if (count <= 0) {
    return;
  }
  ChunkSource& source = SourceOf(cinfo);
  auto remaining = static_cast<std::size_t>(count);
  while (remaining > source.pub.bytes_in_buffer) {
    remaining -= source.pub.bytes_in_buffer;
    source.pub.bytes_in_buffer = 0;
    FillInputBuffer(cinfo);
    if (source.ranOut) {
      return;  // leave the end-of-image marker in place
    }
  }
  source.pub.next_input_byte += remaining;
  source.pub.bytes_in_buffer -= remaining;
}

// Everything one decode needs, owned by DecodeJpegForArea's frame so that a longjmp into
// RunDecoder skips no destructor.
struct Job {
  Job() = default;
  Job(const Job&) = delete;
  Job& operator=(const Job&) = delete;
  ~Job() { jpeg_destroy_decompress(&cinfo); }  // harmless on a struct never created

  jpeg_decompress_struct cinfo{};
  ErrorManager errors{};
  ChunkSource source{};
  int areaWidth = 0;
  int areaHeight = 0;
  JpegScaling scaling = JpegScaling::SmallestNotBelowDrawnSize;

  int originalWidth = 0;
  int originalHeight = 0;
  QImage decoded;
  std::vector<std::uint8_t> cmykRow;
};

std::uint8_t ScaledProduct(int a, int b) {
  return static_cast<std::uint8_t>((a * b + 127) / 255);
}

// One row of CMYK samples to RGB. With an Adobe marker the file holds inverted values
// (255 means no ink), which is how Photoshop writes them.
void CmykRowToRgb(const std::uint8_t* cmyk, std::uint8_t* rgb, std::size_t width, bool inverted) {
  for (std::size_t i = 0; i < width; ++i, cmyk += 4, rgb += 3) {
    const int c = inverted ? cmyk[0] : 255 - cmyk[0];
    const int m = inverted ? cmyk[1] : 255 - cmyk[1];
    const int y = inverted ? cmyk[2] : 255 - cmyk[2];
    const int k = inverted ? cmyk[3] : 255 - cmyk[3];
    rgb[0] = ScaledProduct(c, k);
    rgb[1] = ScaledProduct(m, k);
    rgb[2] = ScaledProduct(y, k);
  }
}

// Runs libjpeg from the header to the end of the image into job.decoded. Holds no object with
// a destructor of its own: a libjpeg error longjmps back to the setjmp below.
bool RunDecoder(Job& job) {
  jpeg_decompress_struct& cinfo = job.cinfo;
  if (setjmp(job.errors.jump) != 0) {
    return false;
  }
  jpeg_CreateDecompress(&cinfo, JPEG_LIB_VERSION, sizeof(cinfo));
  cinfo.src = &job.source.pub;
  cinfo.mem->max_memory_to_use = kMaxDecoderMemory;
  if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) {
    return false;
  }
  job.originalWidth = static_cast<int>(cinfo.image_width);
  job.originalHeight = static_cast<int>(cinfo.image_height);

  switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB:
      cinfo.out_color_space = kRgb32ColourSpace;
      break;
    case JCS_CMYK:
    case JCS_YCCK:
      cinfo.out_color_space = JCS_CMYK;
      break;
    default:
      return false;
  }
  const bool cmyk = cinfo.out_color_space == JCS_CMYK;

  // The smallest M/8 whose output still covers the drawn size; 8/8 always does.
  const PictureRect drawn =
      FitPicture(job.areaWidth, job.areaHeight, job.originalWidth, job.originalHeight);
  const auto wantWidth = static_cast<JDIMENSION>(drawn.width > 0 ? drawn.width : 1);
  const auto wantHeight = static_cast<JDIMENSION>(drawn.height > 0 ? drawn.height : 1);
  cinfo.scale_denom = 8;
  for (unsigned int eighths = job.scaling == JpegScaling::FullSize ? 8 : 1; eighths <= 8;
       ++eighths) {
    cinfo.scale_num = eighths;
    jpeg_calc_output_dimensions(&cinfo);
    if (cinfo.output_width >= wantWidth && cinfo.output_height >= wantHeight) {
      break;
    }
  }
  const std::uint64_t bytes = std::uint64_t{cinfo.output_width} * cinfo.output_height * 4;
  if (bytes > static_cast<std::uint64_t>(kMaxDecodedBytes)) {
    return false;
  }

  jpeg_start_decompress(&cinfo);
  job.decoded = QImage(static_cast<int>(cinfo.output_width), static_cast<int>(cinfo.output_height),
                       cmyk ? QImage::Format_RGB888 : QImage::Format_RGB32);
  if (job.decoded.isNull()) {
    return false;
  }
  uchar* const bits = job.decoded.bits();
  const auto stride = static_cast<std::size_t>(job.decoded.bytesPerLine());
  if (cmyk) {
    job.cmykRow.resize(std::size_t{cinfo.output_width} * 4);
  }
  while (cinfo.output_scanline < cinfo.output_height) {
    const JDIMENSION first = cinfo.output_scanline;
    JSAMPROW rows[kRowsPerRead];
    JDIMENSION wanted = 1;
    if (cmyk) {
      rows[0] = job.cmykRow.data();
    } else {
      wanted = cinfo.output_height - first < kRowsPerRead ? cinfo.output_height - first
                                                          : JDIMENSION{kRowsPerRead};
      for (JDIMENSION i = 0; i < wanted; ++i) {
        rows[i] = bits + (first + i) * stride;
      }
    }
    if (jpeg_read_scanlines(&cinfo, rows, wanted) == 0) {
      return false;  // cannot happen with a source that never suspends; never loop forever
    }
    if (cmyk) {
      CmykRowToRgb(job.cmykRow.data(), bits + first * stride, cinfo.output_width,
                   cinfo.saw_Adobe_marker != 0);
    }
  }
  jpeg_finish_decompress(&cinfo);
  return !job.source.ranOut && !job.errors.sawPrematureEnd;
}

}  // namespace

bool LooksLikeJpeg(std::span<const std::uint8_t> front) {
  return front.size() >= 3 && front[0] == 0xFF && front[1] == 0xD8 && front[2] == 0xFF;
}

std::optional<DecodedPicture> DecodeJpegForArea(FileChunks& chunks, int areaWidth, int areaHeight,
                                                JpegScaling scaling, JpegDecodeStats* stats) {
  Job job;
  job.cinfo.err = jpeg_std_error(&job.errors.pub);
  job.errors.pub.error_exit = OnError;
  job.errors.pub.emit_message = OnMessage;
  job.errors.pub.output_message = PrintNothing;
  job.source.pub.init_source = InitSource;
  job.source.pub.fill_input_buffer = FillInputBuffer;
  job.source.pub.skip_input_data = SkipInputData;
  job.source.pub.resync_to_restart = jpeg_resync_to_restart;
  job.source.pub.term_source = TermSource;
  job.source.chunks = &chunks;
  job.areaWidth = areaWidth;
  job.areaHeight = areaHeight;
  job.scaling = scaling;

  if (!RunDecoder(job)) {
    return std::nullopt;
  }
  if (stats != nullptr) {
    *stats = {job.decoded.width(), job.decoded.height(), job.decoded.sizeInBytes()};
  }

  const PictureRect drawn =
      FitPicture(areaWidth, areaHeight, job.originalWidth, job.originalHeight);
  const QSize size(drawn.width > 0 ? drawn.width : 1, drawn.height > 0 ? drawn.height : 1);
  DecodedPicture picture;
  picture.originalWidth = job.originalWidth;
  picture.originalHeight = job.originalHeight;
  if (job.decoded.size() == size) {
    picture.image = std::move(job.decoded);
  } else {
    picture.image = job.decoded.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  }
  if (picture.image.isNull()) {
    return std::nullopt;
  }
  return picture;
}

}  // namespace veyla::window
