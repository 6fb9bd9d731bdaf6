#include "nexa/key_exchange.h"

#include <gtest/gtest.h>

#include <string>

#include "nexa/control_records.h"
#include "net/crypto.h"

namespace nexalib {
namespace {

// The Base64 body of a throwaway 1024-bit RSA public key, in the form a deployment
// compiles its key in (216 characters, no line breaks).
constexpr std::string_view kPublicKey =
    "MIGfMA0GCSqGSIb3DQEBAQUAA4GNADCBiQKBgQCrYIQQjp/STlmMfhZJnj+RPP6vLiYlcw38Q6kcEUHMJkduL5Nf"
    "asblQTXyVYFZbEp2SpgFpMlZgDubXfkneb04qHpx2bXrup2ZkO9MXLyfsBGzBzj1+8F/BoLSorXW5AOGP+P81yNR"
    "0Ty/VcfnG+/rPdz3z3GzjaTEMbb+cYrjxwIDAQAB";

TEST(KeyExchange, ClientKeysAreSixteenFreshRandomBytes) {
  const std::string first = GenerateClientKey();
  const std::string second = GenerateClientKey();
  EXPECT_EQ(first.size(), kClientKeySize);
  EXPECT_EQ(second.size(), kClientKeySize);
  EXPECT_NE(first, second);
}

TEST(KeyExchange, WrapsThePublicKeyBodyInPemLines) {
  const std::string body(216, 'A');
  const std::string line(64, 'A');
  EXPECT_EQ(PublicKeyPem(body), "-----BEGIN PUBLIC KEY-----\n" + line + "\n" + line + "\n" + line +
                                    "\n" + std::string(24, 'A') + "\n-----END PUBLIC KEY-----\n");
  EXPECT_EQ(PublicKeyPem(line), "-----BEGIN PUBLIC KEY-----\n" + line + "\n-----END PUBLIC KEY-----\n");
}

TEST(KeyExchange, EncryptsTheClientKeyOrReportsFailure) {
  ASSERT_EQ(kPublicKey.size(), 216u);
  const std::string clientKey = GenerateClientKey();
  EXPECT_EQ(EncryptClientKey(clientKey, kPublicKey).size(), 128u);
  EXPECT_EQ(EncryptClientKey(clientKey, "bm90IGEga2V5"), "");
}

TEST(KeyExchange, ReadsTheSessionKeyOnlyWhenItDecrypts) {
  const std::string clientKey = GenerateClientKey();
  const std::string sessionKey(16, 's');
  ExchangeKeyRsp answer;
  answer.resultCode = 4;  // not consulted
  answer.encryptedSessionKey = net::AesEncode(clientKey, sessionKey);
  answer.reconnectId = 12;
  answer.reconnectToken = "token";
  std::string body;
  answer.PackData(body);

  const auto keys = ReadExchangeKeyRsp(body, clientKey);
  ASSERT_TRUE(keys.has_value());
  EXPECT_EQ(keys->sessionKey, sessionKey);
  EXPECT_EQ(keys->reconnectId, 12);
  EXPECT_EQ(keys->reconnectToken, "token");

  EXPECT_FALSE(ReadExchangeKeyRsp(body, GenerateClientKey())) << "another client's key";
  EXPECT_FALSE(ReadExchangeKeyRsp(body.substr(0, body.size() - 1), clientKey)) << "cut record";
  answer.encryptedSessionKey = "garbage";
  body.clear();
  answer.PackData(body);
  EXPECT_FALSE(ReadExchangeKeyRsp(body, clientKey)) << "undecryptable session key";
}

}  // namespace
}  // namespace nexalib
