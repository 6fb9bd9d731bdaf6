#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <sstream>

#include "net/crypto.h"
#include "nonce_seam.h"
#include "rsa_private_decrypt.h"
#include "support/test_data.h"

namespace net {
namespace {

using testing::FromHex;
using testing::ReadTestData;
using testing::ToHex;

// Public AES-GCM test vectors (no additional data, 96-bit IV).
struct GcmVector {
  const char* name;
  const char* key;
  const char* nonce;
  const char* plain;
  const char* cipher;
  const char* tag;
};

constexpr const char* kLongPlain =
    "d9313225f88406e5a55909c5aff5269a86a7a9531534f7da2e4c303d8a318a72"
    "1c3c0c95956809532fcf0e2449a6b525b16aedf5aa0de657ba637b391aafd255";

const GcmVector kGcmVectors[] = {
    {"aes128_empty", "00000000000000000000000000000000", "000000000000000000000000", "", "",
     "58e2fccefa7e3061367f1d57a4e7455a"},
    {"aes128_one_block", "00000000000000000000000000000000", "000000000000000000000000",
     "00000000000000000000000000000000", "0388dace60b6a392f328c2b971b2fe78",
     "ab6e47d42cec13bdf53a67b21257bddf"},
    {"aes128_four_blocks", "feffe9928665731c6d6a8f9467308308", "cafebabefacedbaddecaf888",
     kLongPlain,
     "42831ec2217774244b7221b784d0d49ce3aa212f2c02a4e035c17e2329aca12e"
     "21d514b25466931c7d8f6a5aac84aa051ba30b396a0aac973d58e091473f5985",
     "4d5c2af327cd64a62cf35abd2ba6fab4"},
    {"aes256_empty", "0000000000000000000000000000000000000000000000000000000000000000",
     "000000000000000000000000", "", "", "530f8afbc74536b9a963b4f1c4cb738b"},
    {"aes256_one_block", "0000000000000000000000000000000000000000000000000000000000000000",
     "000000000000000000000000", "00000000000000000000000000000000",
     "cea7403d4d606b6e074ec5d3baf39d18", "d0d1c8a799996bf0265b98b5d48ab919"},
    {"aes256_four_blocks",
     "feffe9928665731c6d6a8f9467308308feffe9928665731c6d6a8f9467308308",
     "cafebabefacedbaddecaf888", kLongPlain,
     "522dc1f099567d07f47f37a32a84427d643a8cdcbfe5c0c97598a2bd2555d1aa"
     "8cb08e48590dbb3da7b08b1056828838c5f61e6393ba7a0abcc9f662898015ad",
     "b094dac5d93471bdec1a502270e3cc6c"},
};

std::string g_fixedNonce;

class AesKnownAnswer : public ::testing::TestWithParam<GcmVector> {
 protected:
  void SetUp() override {
    g_fixedNonce = FromHex(GetParam().nonce);
    testing::SetNonceSourceForTesting(
        [](std::uint8_t* nonce) { std::memcpy(nonce, g_fixedNonce.data(), 12); });
  }
  void TearDown() override { testing::SetNonceSourceForTesting(nullptr); }
};

TEST_P(AesKnownAnswer, EncodesToNonceCipherTagAndDecodesBack) {
  const GcmVector& vector = GetParam();
  std::string key = FromHex(vector.key);
  std::string sealed = AesEncode(key, FromHex(vector.plain));
  EXPECT_EQ(ToHex(sealed), std::string(vector.nonce) + vector.cipher + vector.tag);
  EXPECT_EQ(ToHex(AesDecode(key, sealed, false)), vector.plain);
}

INSTANTIATE_TEST_SUITE_P(PublicVectors, AesKnownAnswer, ::testing::ValuesIn(kGcmVectors),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Aes, RoundTripsEverySizeWithAFreshNonce) {
  std::string key = RandomBytes(16);
  for (std::size_t size : {0u, 1u, 15u, 16u, 17u, 1000u, 70000u}) {
    std::string plain = RandomBytes(size);
    std::string first = AesEncode(key, plain);
    std::string second = AesEncode(key, plain);
    ASSERT_EQ(first.size(), size + 28) << size;
    EXPECT_NE(first.substr(0, 12), second.substr(0, 12)) << "nonce reused at size " << size;
    EXPECT_EQ(AesDecode(key, first), plain) << size;
    EXPECT_EQ(AesDecode(key, second), plain) << size;
  }
}

TEST(Aes, AlternatingKeysOnOneThreadStayApart) {
  // Guards the per-thread key cache: each call must use its own key.
  std::string keyA = RandomBytes(16), keyB = RandomBytes(32);
  std::string sealedA = AesEncode(keyA, "alpha");
  std::string sealedB = AesEncode(keyB, "bravo");
  EXPECT_EQ(AesDecode(keyA, sealedA), "alpha");
  EXPECT_EQ(AesDecode(keyB, sealedB), "bravo");
  EXPECT_EQ(AesDecode(keyB, sealedA), "");
  EXPECT_EQ(AesDecode(keyA, AesEncode(keyA, "again")), "again");
}

TEST(Aes, RejectsEveryDamagedInput) {
  std::string key = RandomBytes(16);
  std::string sealed = AesEncode(key, "a frame of some length");
  auto flipped = [&](std::size_t index) {
    std::string copy = sealed;
    copy[index] = static_cast<char>(copy[index] ^ 0x01);
    return copy;
  };
  const struct {
    const char* name;
    std::string data;
  } cases[] = {
      {"empty", ""},
      {"shorter than nonce and tag", sealed.substr(0, 27)},
      {"tag cut off", sealed.substr(0, sealed.size() - 1)},
      {"byte appended", sealed + "x"},
      {"nonce changed", flipped(0)},
      {"ciphertext changed", flipped(14)},
      {"tag changed", flipped(sealed.size() - 1)},
  };
  for (const auto& c : cases) EXPECT_EQ(AesDecode(key, c.data), "") << c.name;
  EXPECT_EQ(AesDecode(RandomBytes(16), sealed), "") << "wrong key";
  EXPECT_EQ(AesDecode(key, sealed), "a frame of some length") << "the original still opens";
}

TEST(Aes, AcceptsOnlySixteenAndThirtyTwoByteKeys) {
  std::string sealed = AesEncode(RandomBytes(16), "x");
  for (std::size_t size : {0u, 1u, 15u, 17u, 24u, 31u, 33u, 64u}) {
    std::string key = RandomBytes(size);
    EXPECT_EQ(AesEncode(key, "data"), "") << size;
    EXPECT_EQ(AesDecode(key, sealed), "") << size;
  }
}

// "name hex" lines of a vector file.
std::map<std::string, std::string> ReadVectorFile(const std::string& name) {
  std::map<std::string, std::string> fields;
  std::istringstream lines(ReadTestData(name));
  std::string field, hex;
  while (lines >> field >> hex) fields[field] = FromHex(hex);
  return fields;
}

class CrossBackend : public ::testing::TestWithParam<const char*> {};

TEST_P(CrossBackend, DecodesWhatTheOtherBackendEncoded) {
  auto fields = ReadVectorFile(GetParam());
  ASSERT_EQ(fields.size(), 4u) << "vector file missing or damaged";
  EXPECT_EQ(AesDecode(fields["key"], fields["sealed"]), fields["plain"]);
  std::string opened;
  ASSERT_TRUE(testing::RsaPrivateDecrypt(ReadTestData("rsa1024_private.pem"), fields["rsa1024"], opened));
  EXPECT_EQ(opened, fields["key"]);
}

INSTANTIATE_TEST_SUITE_P(Vectors, CrossBackend,
                         ::testing::Values("aes_gcm_from_posix.txt", "aes_gcm_from_win.txt"),
                         [](const auto& info) {
                           return std::string(info.param).find("posix") != std::string::npos
                                      ? std::string("FromPosix")
                                      : std::string("FromWin");
                         });

int Encrypt(const std::string& pem, const std::string& data, std::string& out) {
  return RSAPublicEncrypt(pem.data(), static_cast<int>(pem.size()), data.data(),
                          static_cast<int>(data.size()), out);
}

class RsaKeySize : public ::testing::TestWithParam<int> {};

TEST_P(RsaKeySize, EncryptsAKeyThatThePrivateKeyOpens) {
  std::string name = "rsa" + std::to_string(GetParam());
  std::string pem = ReadTestData(name + "_public.pem");
  ASSERT_FALSE(pem.empty());
  std::string key = RandomBytes(16);
  std::string first, second;
  ASSERT_EQ(Encrypt(pem, key, first), GetParam() / 8);
  ASSERT_EQ(Encrypt(pem, key, second), GetParam() / 8);
  EXPECT_NE(first, second) << "PKCS#1 v1.5 padding is random";
  std::string opened;
  ASSERT_TRUE(testing::RsaPrivateDecrypt(ReadTestData(name + "_private.pem"), first, opened));
  EXPECT_EQ(opened, key);
}

INSTANTIATE_TEST_SUITE_P(Sizes, RsaKeySize, ::testing::Values(1024, 2048));

TEST(Rsa, LongestMessageFitsAndOneMoreByteFails) {
  std::string pem = ReadTestData("rsa1024_public.pem");
  std::string out = "stale";
  EXPECT_EQ(Encrypt(pem, std::string(128 - 11, 'm'), out), 128);
  EXPECT_EQ(Encrypt(pem, std::string(128 - 10, 'm'), out), -1);
  EXPECT_EQ(out, "");
}

TEST(Rsa, RejectsUnusableKeys) {
  std::string pem = ReadTestData("rsa1024_public.pem");
  std::string body = pem.substr(pem.find('\n') + 1);
  const struct {
    const char* name;
    std::string pem;
  } cases[] = {
      {"empty", ""},
      {"not PEM", "hello world"},
      {"header only", "-----BEGIN PUBLIC KEY-----\n-----END PUBLIC KEY-----\n"},
      {"no header", body},
      {"truncated", pem.substr(0, pem.size() / 2)},
      {"base64 damaged", pem.substr(0, 40) + "!!!!" + pem.substr(44)},
      {"private key", ReadTestData("rsa1024_private.pem")},
      {"EC key", ReadTestData("ec_public.pem")},
  };
  for (const auto& c : cases) {
    std::string out = "stale";
    EXPECT_EQ(Encrypt(c.pem, "0123456789abcdef", out), -1) << c.name;
    EXPECT_EQ(out, "") << c.name;
  }
  std::string out;
  EXPECT_EQ(RSAPublicEncrypt(nullptr, 10, "x", 1, out), -1);
  EXPECT_EQ(RSAPublicEncrypt(pem.data(), static_cast<int>(pem.size()), nullptr, 5, out), -1);
  EXPECT_EQ(RSAPublicEncrypt(pem.data(), -1, "x", 1, out), -1);
}

TEST(Random, DrawsDifferentBytesAndHandlesEdgeSizes) {
  std::string first = RandomBytes(32), second = RandomBytes(32);
  ASSERT_EQ(first.size(), 32u);
  EXPECT_NE(first, second);
  EXPECT_EQ(RandomBytes(0), "");
  unsigned char buffer[16] = {};
  EXPECT_TRUE(RandomBytes(buffer, sizeof buffer));
  EXPECT_TRUE(RandomBytes(nullptr, 0));
  EXPECT_FALSE(RandomBytes(nullptr, 4));
}

}  // namespace
}  // namespace net
