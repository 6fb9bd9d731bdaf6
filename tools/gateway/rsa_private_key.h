#pragma once

// The gateway's half of the key exchange: its RSA private key.

#include <memory>
#include <string>
#include <string_view>

namespace gateway {

class RsaPrivateKey {
 public:
  // Null when the PEM file cannot be read or holds no private key.
  static std::unique_ptr<RsaPrivateKey> Load(const std::string& pemFile);
  ~RsaPrivateKey();
  RsaPrivateKey(const RsaPrivateKey&) = delete;
  RsaPrivateKey& operator=(const RsaPrivateKey&) = delete;

  // PKCS#1 v1.5 decryption; empty on failure.
  std::string Decrypt(std::string_view data) const;

 private:
  struct Key;
  explicit RsaPrivateKey(std::unique_ptr<Key> key);
  std::unique_ptr<Key> key_;
};

}  // namespace gateway
