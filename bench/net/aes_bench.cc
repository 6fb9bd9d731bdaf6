// AES-GCM encode+decode of one frame: net's calls (per-thread context, key kept) beside
// the plain OpenSSL sequence with a fresh context, cipher lookup and nonce per call.

#include <benchmark/benchmark.h>
#include <openssl/evp.h>
#include <openssl/rand.h>

#include <string>

#include "net/crypto.h"

namespace {

constexpr int kNonceSize = 12;
constexpr int kTagSize = 16;

unsigned char* Bytes(std::string& text) { return reinterpret_cast<unsigned char*>(text.data()); }
const unsigned char* Bytes(const std::string& text) {
  return reinterpret_cast<const unsigned char*>(text.data());
}

std::string FreshContextEncode(const std::string& key, const std::string& plain) {
  std::string out(kNonceSize + plain.size() + kTagSize, '\0');
  RAND_bytes(Bytes(out), kNonceSize);
  EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
  int written = 0;
  EVP_EncryptInit_ex(context, EVP_aes_128_gcm(), nullptr, Bytes(key), Bytes(out));
  EVP_EncryptUpdate(context, Bytes(out) + kNonceSize, &written, Bytes(plain),
                    static_cast<int>(plain.size()));
  EVP_EncryptFinal_ex(context, Bytes(out) + kNonceSize + written, &written);
  EVP_CIPHER_CTX_ctrl(context, EVP_CTRL_GCM_GET_TAG, kTagSize,
                      Bytes(out) + kNonceSize + plain.size());
  EVP_CIPHER_CTX_free(context);
  return out;
}

std::string FreshContextDecode(const std::string& key, const std::string& sealed) {
  std::size_t size = sealed.size() - kNonceSize - kTagSize;
  std::string plain(size, '\0');
  EVP_CIPHER_CTX* context = EVP_CIPHER_CTX_new();
  int written = 0;
  EVP_DecryptInit_ex(context, EVP_aes_128_gcm(), nullptr, Bytes(key), Bytes(sealed));
  EVP_DecryptUpdate(context, Bytes(plain), &written, Bytes(sealed) + kNonceSize,
                    static_cast<int>(size));
  EVP_CIPHER_CTX_ctrl(context, EVP_CTRL_GCM_SET_TAG, kTagSize,
                      const_cast<unsigned char*>(Bytes(sealed)) + kNonceSize + size);
  bool ok = EVP_DecryptFinal_ex(context, Bytes(plain) + written, &written) == 1;
  EVP_CIPHER_CTX_free(context);
  return ok ? plain : std::string();
}

void BM_AesNet(benchmark::State& state) {
  std::string key = net::RandomBytes(16);
  std::string plain = net::RandomBytes(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    std::string opened = net::AesDecode(key, net::AesEncode(key, plain));
    benchmark::DoNotOptimize(opened);
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

void BM_AesFreshContext(benchmark::State& state) {
  std::string key = net::RandomBytes(16);
  std::string plain = net::RandomBytes(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    std::string opened = FreshContextDecode(key, FreshContextEncode(key, plain));
    benchmark::DoNotOptimize(opened);
  }
  state.SetBytesProcessed(state.iterations() * state.range(0));
}

BENCHMARK(BM_AesNet)->Arg(64)->Arg(1024)->Arg(64 * 1024);
BENCHMARK(BM_AesFreshContext)->Arg(64)->Arg(1024)->Arg(64 * 1024);

}  // namespace
