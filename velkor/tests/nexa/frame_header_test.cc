#include "nexa/frame_header.h"

#include <gtest/gtest.h>

#include <string>

#include "codec/hex.h"
#include "nexa/frame_builder.h"

namespace nexalib {
namespace {

using codec_test::Hex;
using codec_test::ToHex;

// 20 bytes whose sum is 564 (0x234).
std::string TwentyBytesSumming564() { return std::string(19, '\x1C') + '\x20'; }

TEST(FrameHeader, MatchesTheWorkedExample) {
  const std::string plain = TwentyBytesSumming564();
  const std::string frame = BuildFrame(3, plain, false, "");
  EXPECT_EQ(ToHex(frame.substr(0, 6)), "19 B4 04 00 03 AA");
  EXPECT_EQ(frame.substr(6), plain);

  FrameHeader header;
  header.length = 0x19;
  ASSERT_EQ(header.UnpackData(std::string_view(frame).substr(1)), codec::PACK_OK);
  EXPECT_EQ(header.sum16, 0x234);
  EXPECT_EQ(header.flags, 0);
  EXPECT_EQ(header.sessionId, 3);
  EXPECT_EQ(header.ReadPosition(), 5u);
}

TEST(FrameHeader, ChecksTheXorOverTheShortestLength) {
  const struct {
    const char* name;
    uint32_t length;
    const char* afterLength;
    int result;
  } cases[] = {
      {"example", 0x19, "B4 04 00 03 AA", codec::PACK_OK},
      {"wrong check byte", 0x19, "B4 04 00 03 AB", codec::PACK_INVALID_TYPE},
      {"length taken into the check", 0x18, "B4 04 00 03 AA", codec::PACK_INVALID_TYPE},
      {"two-byte length, five-byte sessionId", 300, "00 00 FF FF FF FF 0F A1", codec::PACK_OK},
      {"cut before the check byte", 0x19, "B4 04 00 03", codec::PACK_SHORT_DATA},
      {"nothing after the length", 0, "", codec::PACK_SHORT_DATA},
  };
  for (const auto& c : cases) {
    FrameHeader header;
    header.length = c.length;
    EXPECT_EQ(header.UnpackData(Hex(c.afterLength)), c.result) << c.name;
  }
}

TEST(FrameHeader, NegativeSessionIdTakesFiveBytesAndSurvives) {
  FrameHeader header;
  header.sessionId = -1;
  header.flags = kFrameEncrypted;
  std::string out = "x";
  header.PackData(out, 10);
  EXPECT_EQ(ToHex(out), "78 12 00 01 FF FF FF FF 0F 1C");  // appended after what was there
  EXPECT_EQ(header.length, 0x12u);

  FrameHeader read;
  read.length = header.length;
  ASSERT_EQ(read.UnpackData(std::string_view(out).substr(2)), codec::PACK_OK);
  EXPECT_EQ(read.sessionId, -1);
  EXPECT_EQ(read.flags, kFrameEncrypted);
}

// Splits a built frame into its header and payload.
struct ParsedFrame {
  FrameHeader header;
  std::string payload;
};

ParsedFrame Parse(const std::string& frame) {
  codec::PackStream lengthReader;
  lengthReader.BindSource(frame);
  ParsedFrame parsed;
  EXPECT_EQ(codec::PackStream::CatchUnpackErrors(
                [&] { parsed.header.length = static_cast<uint32_t>(lengthReader.GetVarint()); }),
            codec::PACK_OK);
  const std::string afterLength = frame.substr(lengthReader.ReadPosition());
  EXPECT_EQ(afterLength.size(), parsed.header.length);
  EXPECT_EQ(parsed.header.UnpackData(afterLength), codec::PACK_OK);
  parsed.payload = afterLength.substr(parsed.header.ReadPosition());
  return parsed;
}

TEST(FrameBuilder, OffersOnlyPayloadsAbove128BytesToCompression) {
  const std::string exact(128, 'a');
  const ParsedFrame kept = Parse(BuildFrame(1, exact, false, ""));
  EXPECT_EQ(kept.header.flags, 0);
  EXPECT_EQ(kept.payload, exact);
  EXPECT_EQ(kept.header.sum16, Sum16(exact));

  const ParsedFrame compressed = Parse(BuildFrame(1, std::string(129, 'a'), false, ""));
  EXPECT_EQ(compressed.header.flags, kFrameCompressed);
  EXPECT_EQ(compressed.payload.substr(0, 2), Hex("81 01")) << "the plain length comes first";
  EXPECT_LT(compressed.payload.size(), 40u);
  EXPECT_EQ(compressed.header.sum16, Sum16(compressed.payload));
  EXPECT_EQ(compressed.header.sessionId, 1);
}

TEST(FrameBuilder, EncryptsOrFailsWithoutUsableKey) {
  const std::string plain = TwentyBytesSumming564();
  const ParsedFrame encrypted = Parse(BuildFrame(7, plain, true, std::string(16, 'k')));
  EXPECT_EQ(encrypted.header.flags, kFrameEncrypted);
  EXPECT_EQ(encrypted.header.sum16, 0x234) << "the sum covers the payload before encryption";
  EXPECT_EQ(BuildFrame(7, plain, true, ""), "");
}

}  // namespace
}  // namespace nexalib
