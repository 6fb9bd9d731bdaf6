#include "crypto_backend.h"

// clang-format off
#include <windows.h>
#include <bcrypt.h>
#include <wincrypt.h>
// clang-format on

#include <climits>
#include <memory>

#include "thread_cache.h"

namespace net::backend {
namespace {

// The AES-GCM provider, opened once for the process; BCrypt algorithm handles may be
// shared between threads.
class CGcmProvider {
 public:
  CGcmProvider() {
    if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&handle_, BCRYPT_AES_ALGORITHM, nullptr, 0))) {
      handle_ = nullptr;
      return;
    }
    auto* mode = reinterpret_cast<PUCHAR>(const_cast<wchar_t*>(BCRYPT_CHAIN_MODE_GCM));
    if (!BCRYPT_SUCCESS(BCryptSetProperty(handle_, BCRYPT_CHAINING_MODE, mode,
                                          sizeof(BCRYPT_CHAIN_MODE_GCM), 0))) {
      BCryptCloseAlgorithmProvider(handle_, 0);
      handle_ = nullptr;
    }
  }
  ~CGcmProvider() {
    if (handle_ != nullptr) BCryptCloseAlgorithmProvider(handle_, 0);
  }
  CGcmProvider(const CGcmProvider&) = delete;
  CGcmProvider& operator=(const CGcmProvider&) = delete;

  BCRYPT_ALG_HANDLE Handle() const { return handle_; }

 private:
  BCRYPT_ALG_HANDLE handle_ = nullptr;
};

BCRYPT_ALG_HANDLE GcmProvider() {
  static CGcmProvider provider;
  return provider.Handle();
}

// The key object of the last key used on this thread: generating the key schedule for
// every frame costs about as much as encrypting a small frame.
class CThreadKey {
 public:
  CThreadKey() = default;
  ~CThreadKey() { Forget(); }
  CThreadKey(const CThreadKey&) = delete;
  CThreadKey& operator=(const CThreadKey&) = delete;

  BCRYPT_KEY_HANDLE For(std::string_view key) {
    if (handle_ != nullptr && key == key_) return handle_;
    Forget();
    BCRYPT_ALG_HANDLE provider = GcmProvider();
    if (provider == nullptr) return nullptr;
    auto* bytes = reinterpret_cast<PUCHAR>(const_cast<char*>(key.data()));
    if (!BCRYPT_SUCCESS(BCryptGenerateSymmetricKey(provider, &handle_, nullptr, 0, bytes,
                                                   static_cast<ULONG>(key.size()), 0))) {
      handle_ = nullptr;
      return nullptr;
    }
    key_.assign(key);
    return handle_;
  }

  void Forget() {
    if (handle_ != nullptr) BCryptDestroyKey(handle_);
    handle_ = nullptr;
    SecureZeroMemory(key_.data(), key_.size());
    key_.clear();
  }

 private:
  BCRYPT_KEY_HANDLE handle_ = nullptr;
  std::string key_;
};

BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO GcmInfo(const std::uint8_t* nonce, std::uint8_t* tag) {
  BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info;
  BCRYPT_INIT_AUTH_MODE_INFO(info);
  info.pbNonce = const_cast<PUCHAR>(nonce);
  info.cbNonce = kGcmNonceSize;
  info.pbTag = tag;
  info.cbTag = kGcmTagSize;
  return info;
}

// BCrypt wants a valid pointer even for an empty buffer.
PUCHAR Buffer(const char* data) {
  static UCHAR empty = 0;
  return data != nullptr ? reinterpret_cast<PUCHAR>(const_cast<char*>(data)) : &empty;
}

struct LocalFreer {
  void operator()(void* memory) const { LocalFree(memory); }
};
struct KeyDestroyer {
  void operator()(void* key) const { BCryptDestroyKey(key); }
};

std::string PemToDer(std::string_view pem) {
  DWORD length = 0;
  auto size = static_cast<DWORD>(pem.size());
  if (!CryptStringToBinaryA(pem.data(), size, CRYPT_STRING_BASE64HEADER, nullptr, &length,
                            nullptr, nullptr)) {
    return {};
  }
  std::string der(length, '\0');
  if (!CryptStringToBinaryA(pem.data(), size, CRYPT_STRING_BASE64HEADER, Buffer(der.data()),
                            &length, nullptr, nullptr)) {
    return {};
  }
  der.resize(length);
  return der;
}

}  // namespace

bool AesGcmSeal(std::string_view key, const std::uint8_t* nonce, std::string_view plain,
                char* cipher, std::uint8_t* tag) {
  if (plain.size() > ULONG_MAX) return false;
  CThreadKey* threadKey = detail::PerThread<CThreadKey>();
  BCRYPT_KEY_HANDLE handle = threadKey != nullptr ? threadKey->For(key) : nullptr;
  if (handle == nullptr) return false;
  BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info = GcmInfo(nonce, tag);
  ULONG written = 0;
  auto size = static_cast<ULONG>(plain.size());
  if (!BCRYPT_SUCCESS(BCryptEncrypt(handle, Buffer(plain.data()), size, &info, nullptr, 0,
                                    Buffer(cipher), size, &written, 0))) {
    threadKey->Forget();
    return false;
  }
  return written == size;
}

bool AesGcmOpen(std::string_view key, const std::uint8_t* nonce, std::string_view cipher,
                const std::uint8_t* tag, char* plain) {
  if (cipher.size() > ULONG_MAX) return false;
  CThreadKey* threadKey = detail::PerThread<CThreadKey>();
  BCRYPT_KEY_HANDLE handle = threadKey != nullptr ? threadKey->For(key) : nullptr;
  if (handle == nullptr) return false;
  BCRYPT_AUTHENTICATED_CIPHER_MODE_INFO info = GcmInfo(nonce, const_cast<std::uint8_t*>(tag));
  ULONG written = 0;
  auto size = static_cast<ULONG>(cipher.size());
  // A tag mismatch is an ordinary answer; only other failures make the key suspect.
  NTSTATUS status = BCryptDecrypt(handle, Buffer(cipher.data()), size, &info, nullptr, 0,
                                  Buffer(plain), size, &written, 0);
  return BCRYPT_SUCCESS(status) && written == size;
}

std::string RsaPkcs1Encrypt(std::string_view pem, std::string_view data) {
  std::string der = PemToDer(pem);
  if (der.empty()) return {};
  CERT_PUBLIC_KEY_INFO* decoded = nullptr;
  DWORD decodedSize = 0;
  if (!CryptDecodeObjectEx(X509_ASN_ENCODING, X509_PUBLIC_KEY_INFO, Buffer(der.data()),
                           static_cast<DWORD>(der.size()), CRYPT_DECODE_ALLOC_FLAG, nullptr,
                           &decoded, &decodedSize)) {
    return {};
  }
  std::unique_ptr<CERT_PUBLIC_KEY_INFO, LocalFreer> info(decoded);
  if (info->Algorithm.pszObjId == nullptr ||
      std::string_view(info->Algorithm.pszObjId) != szOID_RSA_RSA) {
    return {};
  }
  BCRYPT_KEY_HANDLE imported = nullptr;
  if (!CryptImportPublicKeyInfoEx2(X509_ASN_ENCODING, info.get(), 0, nullptr, &imported)) {
    return {};
  }
  std::unique_ptr<void, KeyDestroyer> key(imported);

  auto* input = Buffer(data.data());
  auto inputSize = static_cast<ULONG>(data.size());
  ULONG size = 0;
  if (!BCRYPT_SUCCESS(BCryptEncrypt(imported, input, inputSize, nullptr, nullptr, 0, nullptr, 0,
                                    &size, BCRYPT_PAD_PKCS1))) {
    return {};
  }
  // PKCS#1 v1.5 needs 11 bytes of padding; refuse rather than rely on the provider.
  constexpr std::size_t kPaddingSize = 11;
  if (data.size() + kPaddingSize > size) return {};
  std::string out(size, '\0');
  if (!BCRYPT_SUCCESS(BCryptEncrypt(imported, input, inputSize, nullptr, nullptr, 0,
                                    Buffer(out.data()), size, &size, BCRYPT_PAD_PKCS1))) {
    return {};
  }
  out.resize(size);
  return out;
}

bool FillRandom(void* buffer, std::size_t length) {
  auto* bytes = static_cast<PUCHAR>(buffer);
  while (length > 0) {
    ULONG piece = length > ULONG_MAX ? ULONG_MAX : static_cast<ULONG>(length);
    if (!BCRYPT_SUCCESS(BCryptGenRandom(nullptr, bytes, piece, BCRYPT_USE_SYSTEM_PREFERRED_RNG))) {
      return false;
    }
    bytes += piece;
    length -= piece;
  }
  return true;
}

// Drawn per nonce: the POSIX pool exists to spare OpenSSL's per-call process check,
// which BCrypt does not have.
bool FillNonce(std::uint8_t* nonce) { return FillRandom(nonce, kGcmNonceSize); }

}  // namespace net::backend
