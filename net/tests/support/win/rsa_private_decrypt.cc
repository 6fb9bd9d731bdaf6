#include "rsa_private_decrypt.h"

// clang-format off
#include <windows.h>
#include <bcrypt.h>
#include <wincrypt.h>
// clang-format on

#include <algorithm>

namespace net::testing {
namespace {

std::string PemToDer(const std::string& pem) {
  DWORD size = 0;
  auto pemSize = static_cast<DWORD>(pem.size());
  if (!CryptStringToBinaryA(pem.data(), pemSize, CRYPT_STRING_BASE64HEADER, nullptr, &size,
                            nullptr, nullptr)) {
    return {};
  }
  std::string der(size, '\0');
  if (!CryptStringToBinaryA(pem.data(), pemSize, CRYPT_STRING_BASE64HEADER,
                            reinterpret_cast<BYTE*>(der.data()), &size, nullptr, nullptr)) {
    return {};
  }
  return der;
}

std::string BigEndian(const BYTE* littleEndian, std::size_t size) {
  std::string bytes(reinterpret_cast<const char*>(littleEndian), size);
  std::reverse(bytes.begin(), bytes.end());
  return bytes;
}

// crypt32 decodes a PKCS#1 private key only into the legacy little-endian blob, which
// Wine's BCrypt does not import; BCrypt's own private blob holds the same numbers big-endian.
std::string BcryptPrivateBlob(const std::string& der) {
  BYTE* legacy = nullptr;
  DWORD legacySize = 0;
  if (!CryptDecodeObjectEx(X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, PKCS_RSA_PRIVATE_KEY,
                           reinterpret_cast<const BYTE*>(der.data()), static_cast<DWORD>(der.size()),
                           CRYPT_DECODE_ALLOC_FLAG, nullptr, &legacy, &legacySize)) {
    return {};
  }
  const auto* key = reinterpret_cast<const RSAPUBKEY*>(legacy + sizeof(BLOBHEADER));
  const BYTE* modulus = reinterpret_cast<const BYTE*>(key + 1);
  DWORD modulusSize = key->bitlen / 8;
  DWORD primeSize = modulusSize / 2;
  std::string exponent = BigEndian(reinterpret_cast<const BYTE*>(&key->pubexp), sizeof key->pubexp);
  exponent.erase(0, exponent.find_first_not_of('\0'));
  BCRYPT_RSAKEY_BLOB header{BCRYPT_RSAPRIVATE_MAGIC, key->bitlen, static_cast<ULONG>(exponent.size()),
                            modulusSize, primeSize, primeSize};
  std::string blob(reinterpret_cast<const char*>(&header), sizeof header);
  blob += exponent;
  blob += BigEndian(modulus, modulusSize);
  blob += BigEndian(modulus + modulusSize, primeSize);
  blob += BigEndian(modulus + modulusSize + primeSize, primeSize);
  LocalFree(legacy);
  return blob;
}

}  // namespace

bool RsaPrivateDecrypt(const std::string& privatePem, const std::string& cipher, std::string& plain) {
  plain.clear();
  std::string blob = BcryptPrivateBlob(PemToDer(privatePem));
  if (blob.empty()) return false;
  BCRYPT_ALG_HANDLE algorithm = nullptr;
  BCRYPT_KEY_HANDLE key = nullptr;
  bool ok = BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&algorithm, BCRYPT_RSA_ALGORITHM, nullptr, 0)) &&
            BCRYPT_SUCCESS(BCryptImportKeyPair(algorithm, nullptr, BCRYPT_RSAPRIVATE_BLOB, &key,
                                               reinterpret_cast<PUCHAR>(blob.data()),
                                               static_cast<ULONG>(blob.size()), 0));
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
