#include <gtest/gtest.h>
#include <zlib.h>

#include <thread>
#include <vector>

#include "net/compress.h"
#include "net/crypto.h"
#include "support/sample_text.h"
#include "support/test_data.h"

namespace net {
namespace {

using testing::FromHex;
using testing::JsonLikeText;

std::string ZlibCompress(const std::string& in) {
  uLongf size = compressBound(static_cast<uLong>(in.size()));
  std::string out(size, '\0');
  compress2(reinterpret_cast<Bytef*>(out.data()), &size,
            reinterpret_cast<const Bytef*>(in.data()), static_cast<uLong>(in.size()), -1);
  out.resize(size);
  return out;
}

TEST(Compress, RoundTripsAndMatchesTheZlibFormat) {
  const struct {
    const char* name;
    std::string plain;
  } cases[] = {
      {"empty", ""},
      {"one byte", "x"},
      {"json 1 KiB", JsonLikeText(1024)},
      {"json 16 KiB", JsonLikeText(16 * 1024)},
      {"random 300 KiB", RandomBytes(300 * 1024)},
  };
  for (const auto& c : cases) {
    std::string packed, unpacked;
    ASSERT_TRUE(Compress(c.plain, packed, -1)) << c.name;
    EXPECT_EQ(packed, ZlibCompress(c.plain)) << c.name << ": same bytes as compress2";
    ASSERT_TRUE(UnCompress(packed, c.plain.size() + 100, unpacked)) << c.name;
    EXPECT_EQ(unpacked, c.plain) << c.name;
  }
}

TEST(Compress, ReadsAKnownZlibStream) {
  std::string out;
  ASSERT_TRUE(UnCompress(FromHex("789ccb48cdc9c90700062c0215"), 105, out));
  EXPECT_EQ(out, "hello");
}

TEST(Compress, EveryLevelRoundTripsAndBadLevelsFail) {
  std::string plain = JsonLikeText(4096);
  for (int level = -1; level <= 9; ++level) {
    std::string packed, unpacked;
    ASSERT_TRUE(Compress(plain, packed, level)) << level;
    ASSERT_TRUE(UnCompress(packed, plain.size(), unpacked)) << level;
    EXPECT_EQ(unpacked, plain) << level;
  }
  std::string out = "stale";
  EXPECT_FALSE(Compress(plain, out, 10));
  EXPECT_FALSE(Compress(plain, out, -2));
  EXPECT_EQ(out, "");
}

TEST(UnCompress, HonoursTheOutputLimitExactly) {
  std::string plain = JsonLikeText(5000);
  std::string packed, out;
  ASSERT_TRUE(Compress(plain, packed));
  EXPECT_TRUE(UnCompress(packed, plain.size(), out));
  EXPECT_EQ(out, plain);
  EXPECT_FALSE(UnCompress(packed, plain.size() - 1, out));
  EXPECT_EQ(out, "");
  EXPECT_FALSE(UnCompress(packed, 0, out));

  std::string emptyPacked;
  ASSERT_TRUE(Compress("", emptyPacked));
  EXPECT_TRUE(UnCompress(emptyPacked, 0, out));
  EXPECT_EQ(out, "");
}

TEST(UnCompress, StopsABombAtTheLimit) {
  std::string zeros(16 * 1024 * 1024, '\0');
  std::string bomb, out;
  ASSERT_TRUE(Compress(zeros, bomb, 9));
  zeros.clear();
  zeros.shrink_to_fit();
  ASSERT_LT(bomb.size(), 100u * 1024);
  EXPECT_FALSE(UnCompress(bomb, 1024 * 1024, out));
  EXPECT_LE(out.capacity(), 2u * 1024 * 1024) << "memory stays near the limit";
}

TEST(UnCompress, RejectsDamagedStreams) {
  std::string packed;
  ASSERT_TRUE(Compress(JsonLikeText(2000), packed));
  std::string checksumBroken = packed;
  checksumBroken.back() = static_cast<char>(checksumBroken.back() ^ 0xFF);
  std::string headerBroken = packed;
  headerBroken[0] = 0x00;
  const struct {
    const char* name;
    std::string data;
  } cases[] = {
      {"empty", ""},
      {"garbage", "not a zlib stream at all"},
      {"truncated", packed.substr(0, packed.size() / 2)},
      {"last byte missing", packed.substr(0, packed.size() - 1)},
      {"checksum broken", checksumBroken},
      {"header broken", headerBroken},
      {"trailing bytes", packed + "extra"},
  };
  for (const auto& c : cases) {
    std::string out = "stale";
    EXPECT_FALSE(UnCompress(c.data, 1 << 20, out)) << c.name;
    EXPECT_EQ(out, "") << c.name;
  }
}

TEST(Compress, ThreadsKeepTheirOwnStreams) {
  std::vector<std::thread> threads;
  std::vector<int> failures(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t, &failures] {
      for (int i = 0; i < 200; ++i) {
        std::string plain = JsonLikeText(100 + static_cast<std::size_t>(t * 997 + i * 31));
        std::string packed, unpacked;
        int level = (t + i) % 10;
        if (!Compress(plain, packed, level) || !UnCompress(packed, plain.size(), unpacked) ||
            unpacked != plain) {
          ++failures[static_cast<std::size_t>(t)];
        }
      }
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(failures, std::vector<int>(4, 0));
}

}  // namespace
}  // namespace net
