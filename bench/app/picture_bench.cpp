// Showing a picture in the picture box (libjpeg scales in the DCT domain to the smallest eighth
// that covers the drawn size, then a smooth scale) against what a naive viewer does (decode
// every pixel, then scale), on generated 2, 12 and 48 megapixel JPEGs with photograph-like
// content (testing::PhotoLikePixel, quality 90: about 1.7 bits per pixel).
//
// The pictures are made once into /tmp/veyla-bench-pictures; VEYLA_BENCH_PICTURES may name a
// folder of JPEGs to use instead. Counters: decoded_MiB is the picture the decoder built before
// the final scaling; peak_MiB is the growth of the resident set while one picture is shown,
// measured in a fresh process (this program started again with --measure-peak).

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/window/file_chunks.h"
#include "app/window/framed_border.h"
#include "app/window/jpeg_decoder.h"
#include "platform/file.h"
#include "support/jpeg_writer.h"

namespace {

using veyla::window::JpegScaling;

// The picture box's inner area: 400 × 200 less the framed border.
constexpr int kAreaWidth = 400 - 2 * veyla::window::kFramedBorderWidth;
constexpr int kAreaHeight = 200 - 2 * veyla::window::kFramedBorderWidth;

struct Picture {
  std::string label;
  std::filesystem::path path;
};

struct GeneratedSize {
  const char* label;
  int width;
  int height;
};
constexpr GeneratedSize kGenerated[] = {
    {"2MP", 1632, 1224},
    {"12MP", 4000, 3000},
    {"48MP", 8000, 6000},
};

std::vector<Picture> GeneratedPictures() {
  const std::filesystem::path folder = "/tmp/veyla-bench-pictures";
  std::filesystem::create_directories(folder);
  std::vector<Picture> pictures;
  for (const GeneratedSize& size : kGenerated) {
    const auto path = folder / (std::string("veyla-") + size.label + ".jpg");
    if (!std::filesystem::exists(path)) {
      std::fprintf(stderr, "generating %s (%d x %d)\n", path.c_str(), size.width, size.height);
      const int width = size.width;
      const int height = size.height;
      const auto bytes = veyla::window::testing::MakeJpeg({width, height}, [&](int x, int y) {
        return veyla::window::testing::PhotoLikePixel(x, y, width, height);
      });
      const auto partial = path.string() + ".partial";
      std::ofstream(partial, std::ios::binary)
          .write(reinterpret_cast<const char*>(bytes.data()),
                 static_cast<std::streamsize>(bytes.size()));
      std::filesystem::rename(partial, path);
    }
    pictures.push_back({size.label, path});
  }
  return pictures;
}

std::vector<Picture> PicturesFrom(const char* folder) {
  std::vector<Picture> pictures;
  const QDir dir(QString::fromLocal8Bit(folder));
  for (const QFileInfo& info :
       dir.entryInfoList({"*.jpg", "*.jpeg", "*.JPG", "*.JPEG"}, QDir::Files, QDir::Name)) {
    pictures.push_back({info.fileName().toStdString(), info.absoluteFilePath().toStdString()});
  }
  return pictures;
}

// One decode as the picture box (or the naive viewer) does it; false when it failed.
bool ShowOnce(const std::filesystem::path& path, JpegScaling scaling,
              veyla::window::JpegDecodeStats* stats) {
  auto file = veyla::platform::File::OpenForReading(path);
  if (!file.ok()) {
    return false;
  }
  veyla::window::FileChunks chunks(file.value());
  const auto picture =
      veyla::window::DecodeJpegForArea(chunks, kAreaWidth, kAreaHeight, scaling, stats);
  benchmark::DoNotOptimize(picture);
  return picture.has_value();
}

long StatusKiB(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::size_t length = std::strlen(field);
  while (std::getline(status, line)) {
    if (line.compare(0, length, field) == 0 && line.size() > length && line[length] == ':') {
      return std::strtol(line.c_str() + length + 1, nullptr, 10);
    }
  }
  return -1;
}

// In the fresh process: the growth of the resident set's high-water mark over one decode.
int MeasurePeak(const char* mode, const char* path) {
  const JpegScaling scaling = std::strcmp(mode, "full") == 0
                                  ? JpegScaling::FullSize
                                  : JpegScaling::SmallestNotBelowDrawnSize;
  malloc_trim(0);
  const long before = StatusKiB("VmRSS");
  std::ofstream("/proc/self/clear_refs") << "5";  // the high-water mark starts from here
  if (!ShowOnce(path, scaling, nullptr)) {
    return 1;
  }
  std::printf("%ld\n", StatusKiB("VmHWM") - before);
  return 0;
}

std::string SelfPath() {
  std::vector<char> buffer(4096);
  const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  return length > 0 ? std::string(buffer.data(), static_cast<std::size_t>(length)) : std::string();
}

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) {
    quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  }
  return quoted + "'";
}

// Peak growth in MiB, or -1 when it could not be measured.
double PeakMiB(const std::filesystem::path& path, JpegScaling scaling) {
  const std::string command = Quoted(SelfPath()) + " --measure-peak " +
                              (scaling == JpegScaling::FullSize ? "full" : "show") + " " +
                              Quoted(path.string());
  FILE* child = popen(command.c_str(), "r");
  if (child == nullptr) {
    return -1;
  }
  long kib = -1;
  if (std::fscanf(child, "%ld", &kib) != 1) {
    kib = -1;
  }
  const int status = pclose(child);
  return status == 0 && kib >= 0 ? static_cast<double>(kib) / 1024.0 : -1;
}

void RunDecode(benchmark::State& state, const Picture& picture, JpegScaling scaling) {
  veyla::window::JpegDecodeStats stats;
  for (auto _ : state) {
    if (!ShowOnce(picture.path, scaling, &stats)) {
      state.SkipWithError("the picture could not be decoded");
      return;
    }
  }
  state.counters["decoded_MiB"] = static_cast<double>(stats.decodedBytes) / (1024.0 * 1024.0);
  state.counters["peak_MiB"] = PeakMiB(picture.path, scaling);
}

void BM_ShowPicture(benchmark::State& state, const Picture& picture) {
  RunDecode(state, picture, JpegScaling::SmallestNotBelowDrawnSize);
}

void BM_DecodeFullPicture(benchmark::State& state, const Picture& picture) {
  RunDecode(state, picture, JpegScaling::FullSize);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "--measure-peak") == 0) {
    return MeasurePeak(argv[2], argv[3]);
  }
  benchmark::Initialize(&argc, argv);
  const char* folder = std::getenv("VEYLA_BENCH_PICTURES");
  const std::vector<Picture> pictures =
      folder != nullptr && *folder != '\0' ? PicturesFrom(folder) : GeneratedPictures();
  if (pictures.empty()) {
    std::fprintf(stderr, "no JPEG pictures in %s\n", folder);
    return 1;
  }
  for (const Picture& picture : pictures) {
    benchmark::RegisterBenchmark(("BM_ShowPicture/" + picture.label).c_str(), BM_ShowPicture,
                                 picture)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark(("BM_DecodeFullPicture/" + picture.label).c_str(),
                                 BM_DecodeFullPicture, picture)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
  }
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
