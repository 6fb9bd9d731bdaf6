#include "rsa_private_key.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rsa.h>

#include <cstdio>

namespace gateway {

struct RsaPrivateKey::Key {
  EVP_PKEY* pkey = nullptr;
  ~Key() { EVP_PKEY_free(pkey); }
};

std::unique_ptr<RsaPrivateKey> RsaPrivateKey::Load(const std::string& pemFile) {
  FILE* file = std::fopen(pemFile.c_str(), "rb");
  if (file == nullptr) return nullptr;
  auto key = std::make_unique<Key>();
  key->pkey = PEM_read_PrivateKey(file, nullptr, nullptr, nullptr);
  std::fclose(file);
  if (key->pkey == nullptr) return nullptr;
  return std::unique_ptr<RsaPrivateKey>(new RsaPrivateKey(std::move(key)));
}

RsaPrivateKey::RsaPrivateKey(std::unique_ptr<Key> key) : key_(std::move(key)) {}
RsaPrivateKey::~RsaPrivateKey() = default;

std::string RsaPrivateKey::Decrypt(std::string_view data) const {
  EVP_PKEY_CTX* context = EVP_PKEY_CTX_new(key_->pkey, nullptr);
  if (context == nullptr) return {};
  std::string plain;
  size_t size = 0;
  const auto* in = reinterpret_cast<const unsigned char*>(data.data());
  if (EVP_PKEY_decrypt_init(context) > 0 &&
      EVP_PKEY_CTX_set_rsa_padding(context, RSA_PKCS1_PADDING) > 0 &&
      EVP_PKEY_decrypt(context, nullptr, &size, in, data.size()) > 0) {
    plain.resize(size);
    if (EVP_PKEY_decrypt(context, reinterpret_cast<unsigned char*>(plain.data()), &size, in,
                         data.size()) > 0) {
      plain.resize(size);
    } else {
      plain.clear();
    }
  }
  EVP_PKEY_CTX_free(context);
  return plain;
}

}  // namespace gateway
