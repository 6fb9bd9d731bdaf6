#include <atomic>

#include "crypto_backend.h"
#include "net/crypto.h"
#include "nonce_seam.h"

namespace net {
namespace {

std::atomic<testing::NonceSource> g_nonceSource{nullptr};

bool UsableKey(const std::string& key) { return key.size() == 16 || key.size() == 32; }

bool MakeNonce(std::uint8_t* nonce) {
  testing::NonceSource source = g_nonceSource.load(std::memory_order_acquire);
  if (source != nullptr) {
    source(nonce);
    return true;
  }
  return backend::FillNonce(nonce);
}

}  // namespace

namespace testing {
void SetNonceSourceForTesting(NonceSource source) {
  g_nonceSource.store(source, std::memory_order_release);
}
}  // namespace testing

std::string AesEncode(const std::string& key, const std::string& data) {
  if (!UsableKey(key)) return {};
  constexpr std::size_t kOverhead = backend::kGcmNonceSize + backend::kGcmTagSize;
  std::string out(data.size() + kOverhead, '\0');
  auto* nonce = reinterpret_cast<std::uint8_t*>(out.data());
  char* cipher = out.data() + backend::kGcmNonceSize;
  auto* tag = reinterpret_cast<std::uint8_t*>(cipher + data.size());
  if (!MakeNonce(nonce) || !backend::AesGcmSeal(key, nonce, data, cipher, tag)) return {};
  return out;
}

std::string AesDecode(const std::string& key, const std::string& data, bool /*ignored*/) {
  constexpr std::size_t kOverhead = backend::kGcmNonceSize + backend::kGcmTagSize;
  if (!UsableKey(key) || data.size() < kOverhead) return {};
  std::string_view sealed(data);
  const auto* nonce = reinterpret_cast<const std::uint8_t*>(sealed.data());
  std::string_view cipher = sealed.substr(backend::kGcmNonceSize, data.size() - kOverhead);
  const auto* tag = reinterpret_cast<const std::uint8_t*>(cipher.data() + cipher.size());
  std::string plain(cipher.size(), '\0');
  if (!backend::AesGcmOpen(key, nonce, cipher, tag, plain.data())) return {};
  return plain;
}

}  // namespace net
