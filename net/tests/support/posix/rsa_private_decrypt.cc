#include "rsa_private_decrypt.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rsa.h>

namespace net::testing {

bool RsaPrivateDecrypt(const std::string& privatePem, const std::string& cipher, std::string& plain) {
  BIO* bio = BIO_new_mem_buf(privatePem.data(), static_cast<int>(privatePem.size()));
  EVP_PKEY* key = PEM_read_bio_PrivateKey(bio, nullptr, nullptr, nullptr);
  BIO_free(bio);
  if (key == nullptr) return false;
  EVP_PKEY_CTX* context = EVP_PKEY_CTX_new(key, nullptr);
  std::size_t size = cipher.size();
  plain.assign(size, '\0');
  bool ok = context != nullptr && EVP_PKEY_decrypt_init(context) == 1 &&
            EVP_PKEY_CTX_set_rsa_padding(context, RSA_PKCS1_PADDING) == 1 &&
            EVP_PKEY_decrypt(context, reinterpret_cast<unsigned char*>(plain.data()), &size,
                             reinterpret_cast<const unsigned char*>(cipher.data()), cipher.size()) == 1;
  plain.resize(ok ? size : 0);
  EVP_PKEY_CTX_free(context);
  EVP_PKEY_free(key);
  return ok;
}

}  // namespace net::testing
