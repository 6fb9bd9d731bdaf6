#include "crypto_backend.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rand.h>
#include <openssl/rsa.h>

#include <pthread.h>

#include <atomic>
#include <climits>
#include <cstring>
#include <memory>
#include <mutex>
#include <string>

namespace net::backend {
namespace {

struct CipherFree {
  void operator()(EVP_CIPHER* cipher) const { EVP_CIPHER_free(cipher); }
};
struct ContextFree {
  void operator()(EVP_CIPHER_CTX* context) const { EVP_CIPHER_CTX_free(context); }
};
struct PkeyFree {
  void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct PkeyContextFree {
  void operator()(EVP_PKEY_CTX* context) const { EVP_PKEY_CTX_free(context); }
};
struct BioFree {
  void operator()(BIO* bio) const { BIO_free(bio); }
};

// One GCM context per thread and direction, keyed once: fetching the cipher and expanding
// the key on every frame costs about as much as encrypting a small frame.
class CGcmContext {
 public:
  explicit CGcmContext(bool encrypt)
      : encrypt_(encrypt),
        aes128_(EVP_CIPHER_fetch(nullptr, "AES-128-GCM", nullptr)),
        aes256_(EVP_CIPHER_fetch(nullptr, "AES-256-GCM", nullptr)),
        context_(EVP_CIPHER_CTX_new()) {}
  ~CGcmContext() { OPENSSL_cleanse(key_.data(), key_.size()); }
  CGcmContext(const CGcmContext&) = delete;
  CGcmContext& operator=(const CGcmContext&) = delete;

  // The context ready for one message under `key` and `nonce`, or null.
  EVP_CIPHER_CTX* Begin(std::string_view key, const std::uint8_t* nonce) {
    if (!context_ || !aes128_ || !aes256_) return nullptr;
    const auto* keyBytes = reinterpret_cast<const unsigned char*>(key.data());
    int encrypt = encrypt_ ? 1 : 0;
    int ok = key == key_
                 ? EVP_CipherInit_ex(context_.get(), nullptr, nullptr, nullptr, nonce, encrypt)
                 : EVP_CipherInit_ex(context_.get(),
                                     key.size() == 16 ? aes128_.get() : aes256_.get(),
                                     nullptr, keyBytes, nonce, encrypt);
    if (ok != 1) {
      Forget();
      return nullptr;
    }
    key_.assign(key);
    return context_.get();
  }

  // Drops the cached key so that the next message sets the context up from scratch.
  void Forget() {
    OPENSSL_cleanse(key_.data(), key_.size());
    key_.clear();
  }

 private:
  bool encrypt_;
  std::unique_ptr<EVP_CIPHER, CipherFree> aes128_;
  std::unique_ptr<EVP_CIPHER, CipherFree> aes256_;
  std::unique_ptr<EVP_CIPHER_CTX, ContextFree> context_;
  std::string key_;
};

// Random bytes drawn in bulk per thread and handed out once each, as nonces. A forked
// child would inherit its parent's unused bytes, so a fork empties every pool.
std::atomic<unsigned> g_forkCount{0};

class CNoncePool {
 public:
  CNoncePool() { pthread_once(&s_forkHook, [] { pthread_atfork(nullptr, nullptr, [] { ++g_forkCount; }); }); }
  ~CNoncePool() { OPENSSL_cleanse(bytes_, sizeof bytes_); }
  CNoncePool(const CNoncePool&) = delete;
  CNoncePool& operator=(const CNoncePool&) = delete;

  bool Take(std::uint8_t* nonce) {
    unsigned forks = g_forkCount.load(std::memory_order_relaxed);
    if (used_ == sizeof bytes_ || forks != forks_) {
      if (RAND_bytes(bytes_, sizeof bytes_) != 1) return false;
      used_ = 0;
      forks_ = forks;
    }
    std::memcpy(nonce, bytes_ + used_, kGcmNonceSize);
    OPENSSL_cleanse(bytes_ + used_, kGcmNonceSize);
    used_ += kGcmNonceSize;
    return true;
  }

 private:
  static inline pthread_once_t s_forkHook = PTHREAD_ONCE_INIT;
  unsigned char bytes_[kGcmNonceSize * 64];
  std::size_t used_ = sizeof bytes_;
  unsigned forks_ = 0;
};

// The key of the PEM text last asked for. Parsing through OpenSSL's decoders costs far more
// than the encryption, and the channel passes the same compiled-in key on every connect. An
// EVP_PKEY may serve several threads at once, each with its own operation context.
std::shared_ptr<EVP_PKEY> PublicKeyOf(std::string_view pem) {
  struct Cache {
    std::mutex lock;
    std::string pem;                // Guarded by lock
    std::shared_ptr<EVP_PKEY> key;  // Guarded by lock
  };
  static Cache* const cache = new Cache;  // kept to the end, like OpenSSL's own state
  std::lock_guard guard(cache->lock);
  if (cache->key && cache->pem == pem) return cache->key;
  std::unique_ptr<BIO, BioFree> bio(BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size())));
  if (!bio) return nullptr;
  std::shared_ptr<EVP_PKEY> key(PEM_read_bio_PUBKEY(bio.get(), nullptr, nullptr, nullptr),
                                PkeyFree());
  if (!key) return nullptr;
  cache->pem.assign(pem);
  cache->key = key;
  return key;
}

unsigned char* Bytes(char* data) { return reinterpret_cast<unsigned char*>(data); }
const unsigned char* Bytes(const char* data) {
  return reinterpret_cast<const unsigned char*>(data);
}

}  // namespace

bool AesGcmSeal(std::string_view key, const std::uint8_t* nonce, std::string_view plain,
                char* cipher, std::uint8_t* tag) {
  if (plain.size() > INT_MAX) return false;
  thread_local CGcmContext sealer(true);
  EVP_CIPHER_CTX* context = sealer.Begin(key, nonce);
  if (context == nullptr) return false;
  int written = 0;
  int finalWritten = 0;
  bool ok = EVP_EncryptUpdate(context, Bytes(cipher), &written, Bytes(plain.data()),
                              static_cast<int>(plain.size())) == 1 &&
            EVP_EncryptFinal_ex(context, Bytes(cipher) + written, &finalWritten) == 1 &&
            EVP_CIPHER_CTX_ctrl(context, EVP_CTRL_GCM_GET_TAG, kGcmTagSize, tag) == 1;
  if (!ok) sealer.Forget();
  return ok;
}

bool AesGcmOpen(std::string_view key, const std::uint8_t* nonce, std::string_view cipher,
                const std::uint8_t* tag, char* plain) {
  if (cipher.size() > INT_MAX) return false;
  thread_local CGcmContext opener(false);
  EVP_CIPHER_CTX* context = opener.Begin(key, nonce);
  if (context == nullptr) return false;
  int written = 0;
  int finalWritten = 0;
  bool ok = EVP_DecryptUpdate(context, Bytes(plain), &written, Bytes(cipher.data()),
                              static_cast<int>(cipher.size())) == 1 &&
            EVP_CIPHER_CTX_ctrl(context, EVP_CTRL_GCM_SET_TAG, kGcmTagSize,
                                const_cast<std::uint8_t*>(tag)) == 1 &&
            EVP_DecryptFinal_ex(context, Bytes(plain) + written, &finalWritten) == 1;
  if (!ok) opener.Forget();
  return ok;
}

std::string RsaPkcs1Encrypt(std::string_view pem, std::string_view data) {
  if (pem.size() > INT_MAX) return {};
  const std::shared_ptr<EVP_PKEY> key = PublicKeyOf(pem);
  if (!key || EVP_PKEY_get_base_id(key.get()) != EVP_PKEY_RSA) return {};
  std::unique_ptr<EVP_PKEY_CTX, PkeyContextFree> context(
      EVP_PKEY_CTX_new(key.get(), nullptr));
  std::size_t length = 0;
  if (!context || EVP_PKEY_encrypt_init(context.get()) != 1 ||
      EVP_PKEY_CTX_set_rsa_padding(context.get(), RSA_PKCS1_PADDING) != 1 ||
      EVP_PKEY_encrypt(context.get(), nullptr, &length, Bytes(data.data()), data.size()) != 1) {
    return {};
  }
  std::string out(length, '\0');
  if (EVP_PKEY_encrypt(context.get(), Bytes(out.data()), &length, Bytes(data.data()),
                       data.size()) != 1) {
    return {};
  }
  out.resize(length);
  return out;
}

bool FillNonce(std::uint8_t* nonce) {
  thread_local CNoncePool pool;
  return pool.Take(nonce);
}

bool FillRandom(void* buffer, std::size_t length) {
  auto* bytes = static_cast<unsigned char*>(buffer);
  // RAND_bytes takes an int length; large requests go in pieces.
  while (length > 0) {
    int piece = length > INT_MAX ? INT_MAX : static_cast<int>(length);
    if (RAND_bytes(bytes, piece) != 1) return false;
    bytes += piece;
    length -= static_cast<std::size_t>(piece);
  }
  return true;
}

}  // namespace net::backend
