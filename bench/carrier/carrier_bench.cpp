// Hiding and reading cost the same on a small and a huge carrier, because only the trailer
// and the ciphertext are touched; and veyla-cli hides 64 MiB no slower than `openssl enc`
// encrypts the same bytes with DES-ECB.
//
// Files live under /tmp; the 4 GiB carrier is sparse and takes no disk space.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "carrier/carrier_file.h"
#include "carrier/hidden_block.h"
#include "carrier/password_rules.h"
#include "cipher/des.h"
#include "cipher/message_cipher.h"
#include "platform/file.h"

extern char** environ;

namespace veyla {
namespace {

namespace fs = std::filesystem;

const fs::path kScratch = "/tmp/veyla-bench-carrier";
constexpr std::uint64_t kKiB = 1024;
constexpr std::uint64_t kMiB = 1024 * kKiB;
constexpr std::uint64_t kGiB = 1024 * kMiB;

fs::path Carrier(std::uint64_t size) {
  fs::create_directories(kScratch);
  const fs::path path = kScratch / ("carrier-" + std::to_string(size));
  { std::ofstream touch(path, std::ios::binary | std::ios::trunc); }
  fs::resize_file(path, size);  // sparse: no blocks are written
  return path;
}

const ByteString& Ciphertext() {
  static const ByteString c = cipher::EncryptData(ByteString(100, 'm'), carrier::kDefaultPassword);
  return c;
}

void BM_Hide(benchmark::State& state) {
  const auto size = static_cast<std::uint64_t>(state.range(0));
  const fs::path path = Carrier(size);
  for (auto _ : state) {
    auto appended = carrier::AppendBlock(path, Ciphertext(), 0);
    if (!appended) state.SkipWithError(appended.error().Describe().c_str());
    state.PauseTiming();
    fs::resize_file(path, size);  // back to the bare carrier, so it never grows
    state.ResumeTiming();
  }
  fs::remove(path);
}

void BM_Read(benchmark::State& state) {
  const auto size = static_cast<std::uint64_t>(state.range(0));
  const fs::path path = Carrier(size);
  if (!carrier::AppendBlock(path, Ciphertext(), 0)) state.SkipWithError("append failed");
  for (auto _ : state) {
    auto file = platform::File::OpenForReading(path).value();
    const ByteString tail = carrier::ReadTail(file).value();
    if (!carrier::HasMarker(tail)) state.SkipWithError("no marker");
    const carrier::Trailer trailer = carrier::ParseTrailer(tail);
    const auto password = carrier::ChooseReadPassword(trailer.passwordFlag, "");
    const ByteString ciphertext = carrier::ReadCiphertext(file, trailer.cipherLength).value();
    benchmark::DoNotOptimize(cipher::DecryptData(ciphertext, *password));
  }
  fs::remove(path);
}

BENCHMARK(BM_Hide)->Arg(4 * kKiB)->Arg(4 * kGiB)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Read)->Arg(4 * kKiB)->Arg(4 * kGiB)->Unit(benchmark::kMicrosecond);

// --- 64 MiB through the programs -------------------------------------------------------

const fs::path& DataFile() {
  static const fs::path path = [] {
    fs::create_directories(kScratch);
    const fs::path p = kScratch / "data-64MiB";
    std::vector<char> bytes(64 * kMiB);
    std::mt19937_64 random(1973);
    for (char& b : bytes) b = static_cast<char>(random());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return p;
  }();
  return path;
}

// Runs a program with standard input from `input` (or /dev/null) and output discarded;
// its exit status.
int Run(const std::vector<std::string>& args, const fs::path& input = "/dev/null") {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, input.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> copies = args;
  std::vector<char*> argv;
  for (auto& a : copies) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The key openssl needs to encrypt as we do under the default password: our key takes the
// least significant bit of each byte first, standard DES the most significant.
std::string OpensslKeyHex() {
  const cipher::DesKey key = cipher::FoldKey(carrier::kDefaultPassword);
  std::string hex;
  for (std::uint8_t b : key) {
    std::uint8_t reversed = 0;
    for (int i = 0; i < 8; ++i)
      reversed = static_cast<std::uint8_t>(reversed | ((b >> i) & 1) << (7 - i));
    char digits[3];
    std::snprintf(digits, sizeof digits, "%02x", reversed);
    hex += digits;
  }
  return hex;
}

void HideThroughCli(benchmark::State& state, bool fromStandardInput) {
  const fs::path& data = DataFile();
  const fs::path carrier = Carrier(4 * kKiB);
  const std::vector<std::string> args = {VEYLA_CLI_PATH, "hide", carrier.string(), "--data-file",
                                         fromStandardInput ? "-" : data.string()};
  for (auto _ : state) {
    if (Run(args, fromStandardInput ? data : fs::path("/dev/null")) != 0) {
      state.SkipWithError("veyla-cli failed");
    }
    state.PauseTiming();
    fs::resize_file(carrier, 4 * kKiB);
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 64 * kMiB));
  fs::remove(carrier);
}

void BM_CliHide64MiB(benchmark::State& state) {
  HideThroughCli(state, false);
}
void BM_CliHide64MiBFromStandardInput(benchmark::State& state) {
  HideThroughCli(state, true);
}

void BM_OpensslEnc64MiB(benchmark::State& state) {
  const fs::path& data = DataFile();
  const fs::path out = kScratch / "openssl-out";
  const std::vector<std::string> args = {OPENSSL_PATH, "enc",           "-des-ecb",  "-nosalt",
                                         "-K",         OpensslKeyHex(), "-provider", "legacy",
                                         "-provider",  "default",       "-in",       data.string(),
                                         "-out",       out.string()};
  for (auto _ : state) {
    if (Run(args) != 0) state.SkipWithError("openssl failed");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * 64 * kMiB));
  fs::remove(out);
}

BENCHMARK(BM_CliHide64MiB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);
BENCHMARK(BM_CliHide64MiBFromStandardInput)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(5);
BENCHMARK(BM_OpensslEnc64MiB)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace
}  // namespace veyla

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ignored;
  std::filesystem::remove_all(veyla::kScratch, ignored);
  return 0;
}
