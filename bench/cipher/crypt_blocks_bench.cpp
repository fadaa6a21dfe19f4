// DES-ECB throughput on 1 MiB, ours against OpenSSL's (legacy provider), both encrypting in
// place and both setting up the key on every pass.

#include <benchmark/benchmark.h>
#include <openssl/evp.h>
#include <openssl/provider.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <random>
#include <string_view>
#include <vector>

#include "cipher/des.h"

namespace {

using veyla::cipher::CipherDirection;

constexpr std::size_t kBufferSize = std::size_t{1} << 20;
constexpr std::string_view kPassword = "benchmark password";

std::vector<std::uint8_t> RandomBuffer() {
  std::mt19937 random(1973);
  std::vector<std::uint8_t> buffer(kBufferSize);
  for (auto& b : buffer) b = static_cast<std::uint8_t>(random());
  return buffer;
}

void BM_CryptBlocks(benchmark::State& state) {
  std::vector<std::uint8_t> buffer = RandomBuffer();
  for (auto _ : state) {
    veyla::cipher::CryptBlocks(buffer, kPassword, CipherDirection::Encrypt);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(kBufferSize));
}
BENCHMARK(BM_CryptBlocks);

void BM_OpenSslDesEcb(benchmark::State& state) {
  OSSL_PROVIDER* legacy = OSSL_PROVIDER_load(nullptr, "legacy");
  OSSL_PROVIDER* defaults = OSSL_PROVIDER_load(nullptr, "default");
  EVP_CIPHER* des = EVP_CIPHER_fetch(nullptr, "DES-ECB", nullptr);
  const std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> ctx(EVP_CIPHER_CTX_new(),
                                                                            EVP_CIPHER_CTX_free);
  if (legacy == nullptr || defaults == nullptr || des == nullptr || ctx == nullptr) {
    state.SkipWithError("OpenSSL's legacy provider with DES-ECB is not available");
  } else {
    const veyla::cipher::DesKey key = veyla::cipher::FoldKey(kPassword);
    std::vector<std::uint8_t> buffer = RandomBuffer();
    for (auto _ : state) {
      int written = 0;
      if (EVP_EncryptInit_ex2(ctx.get(), des, key.data(), nullptr, nullptr) != 1 ||
          EVP_CIPHER_CTX_set_padding(ctx.get(), 0) != 1 ||
          EVP_EncryptUpdate(ctx.get(), buffer.data(), &written, buffer.data(),
                            static_cast<int>(buffer.size())) != 1) {
        state.SkipWithError("OpenSSL DES-ECB failed");
        break;
      }
      benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(kBufferSize));
  }
  EVP_CIPHER_free(des);
  if (defaults != nullptr) OSSL_PROVIDER_unload(defaults);
  if (legacy != nullptr) OSSL_PROVIDER_unload(legacy);
}
BENCHMARK(BM_OpenSslDesEcb);

}  // namespace
