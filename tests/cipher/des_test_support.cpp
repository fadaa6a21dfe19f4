#include "des_test_support.h"

#include <openssl/evp.h>
#include <openssl/provider.h>

#include <memory>
#include <stdexcept>

#include "common/bytes.h"

namespace veyla::cipher::test {

Block BytesOf(std::uint64_t value) {
  Block bytes{};
  StoreBe32(std::span(bytes).first<4>(), static_cast<std::uint32_t>(value >> 32));
  StoreBe32(std::span(bytes).last<4>(), static_cast<std::uint32_t>(value));
  return bytes;
}

DesKey ReverseBitsInEachByte(const DesKey& key) {
  DesKey reversed{};
  for (std::size_t i = 0; i < key.size(); ++i) {
    for (unsigned bit = 0; bit < 8; ++bit) {
      if (key[i] >> bit & 1U) reversed[i] |= static_cast<std::uint8_t>(0x80U >> bit);
    }
  }
  return reversed;
}

namespace {

// DES lives in OpenSSL's legacy provider; the default one is loaded too so that loading legacy
// does not make it the only provider.
class Providers {
 public:
  Providers()
      : legacy_(OSSL_PROVIDER_load(nullptr, "legacy")),
        default_(OSSL_PROVIDER_load(nullptr, "default")),
        des_(EVP_CIPHER_fetch(nullptr, "DES-ECB", nullptr)) {
    if (legacy_ == nullptr || default_ == nullptr || des_ == nullptr) {
      throw std::runtime_error("OpenSSL's legacy provider with DES-ECB is not available");
    }
  }
  ~Providers() {
    EVP_CIPHER_free(des_);
    OSSL_PROVIDER_unload(default_);
    OSSL_PROVIDER_unload(legacy_);
  }
  Providers(const Providers&) = delete;
  Providers& operator=(const Providers&) = delete;

  const EVP_CIPHER* Des() const { return des_; }

 private:
  OSSL_PROVIDER* legacy_;
  OSSL_PROVIDER* default_;
  EVP_CIPHER* des_;
};

const EVP_CIPHER* DesEcb() {
  static const Providers providers;
  return providers.Des();
}

}  // namespace

std::vector<std::uint8_t> OpenSslDesEcb(const DesKey& standardKey,
                                        std::span<const std::uint8_t> bytes,
                                        CipherDirection direction) {
  if (bytes.size() % 8 != 0) throw std::invalid_argument("not whole blocks");
  const std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)> ctx(EVP_CIPHER_CTX_new(),
                                                                            EVP_CIPHER_CTX_free);
  std::vector<std::uint8_t> out(bytes.size());
  int written = 0;
  if (ctx == nullptr ||
      EVP_CipherInit_ex2(ctx.get(), DesEcb(), standardKey.data(), nullptr,
                         direction == CipherDirection::Encrypt ? 1 : 0, nullptr) != 1 ||
      EVP_CIPHER_CTX_set_padding(ctx.get(), 0) != 1 ||
      (!bytes.empty() && EVP_CipherUpdate(ctx.get(), out.data(), &written, bytes.data(),
                                          static_cast<int>(bytes.size())) != 1) ||
      static_cast<std::size_t>(written) != bytes.size()) {
    throw std::runtime_error("OpenSSL DES-ECB failed");
  }
  return out;
}

}  // namespace veyla::cipher::test
