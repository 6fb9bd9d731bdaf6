#include "rsa_private_decrypt.h"

// clang-format off
#include <windows.h>
#include <bcrypt.h>
#include <wincrypt.h>
// clang-format on

namespace net::testing {

bool RsaPrivateDecrypt(const std::string& privatePem, const std::string& cipher, std::string& plain) {
  plain.clear();
  DWORD derSize = 0;
  auto pemSize = static_cast<DWORD>(privatePem.size());
  if (!CryptStringToBinaryA(privatePem.data(), pemSize, CRYPT_STRING_BASE64HEADER, nullptr, &derSize,
                            nullptr, nullptr)) {
    return false;
  }
  std::string der(derSize, '\0');
  if (!CryptStringToBinaryA(privatePem.data(), pemSize, CRYPT_STRING_BASE64HEADER,
                            reinterpret_cast<BYTE*>(der.data()), &derSize, nullptr, nullptr)) {
    return false;
  }
  // PKCS#1 RSAPrivateKey -> the legacy private key blob BCrypt can import.
  BYTE* blob = nullptr;
  DWORD blobSize = 0;
  if (!CryptDecodeObjectEx(X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, PKCS_RSA_PRIVATE_KEY,
                           reinterpret_cast<const BYTE*>(der.data()), derSize, CRYPT_DECODE_ALLOC_FLAG,
                           nullptr, &blob, &blobSize)) {
    return false;
  }
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  BCRYPT_KEY_HANDLE key = nullptr;
  bool ok = BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_RSA_ALGORITHM, nullptr, 0)) &&
            BCRYPT_SUCCESS(BCryptImportKeyPair(algorithm, nullptr, LEGACY_RSAPRIVATE_BLOB, &key, blob,
                                               blobSize, 0));
  LocalFree(blob);
  ULONG size = 0;
  auto* input = reinterpret_cast<PUCHAR>(const_cast<char*>(cipher.data()));
  auto inputSize = static_cast<ULONG>(cipher.size());
  plain.assign(cipher.size(), '\0');
  ok = ok && BCRYPT_SUCCESS(BCryptDecrypt(key, input, inputSize, nullptr, nullptr, 0,
                                          reinterpret_cast<PUCHAR>(plain.data()), inputSize, &size,
                                          BCRYPT_PAD_PKCS1));
  plain.resize(ok ? size : 0);
  if (key != nullptr) BCryptDestroyKey(key);
  if (algorithm != nullptr) BCryptCloseAlgorithmProvider(algorithm, 0);
  return ok;
}

}  // namespace net::testing
