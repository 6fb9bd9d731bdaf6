#include "codec/pack_stream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <stdexcept>
#include <string>

#include "codec/hex.h"

namespace codec {
namespace {

using codec_test::Hex;
using codec_test::ToHex;

// Runs one read on a stream bound to `bytes` and returns the codec result.
template <class Read>
int ReadResult(const std::string& bytes, Read read, size_t* endPosition = nullptr) {
  PackStream stream;
  stream.BindSource(bytes);
  const int result = PackStream::CatchUnpackErrors([&] { read(stream); });
  if (endPosition) *endPosition = stream.ReadPosition();
  return result;
}

TEST(PackStreamVarint, WritesAndReadsTheTableOfValues) {
  const struct {
    uint64_t value;
    const char* bytes;
  } cases[] = {
      {0, "00"},
      {127, "7F"},
      {128, "80 01"},
      {300, "AC 02"},
      {static_cast<uint32_t>(-1), "FF FF FF FF 0F"},
      {UINT64_MAX, "FF FF FF FF FF FF FF FF FF 01"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    std::string out;
    PackStream writer;
    writer.BindDestination(out);
    writer.PutVarint(c.value);
    EXPECT_EQ(ToHex(out), c.bytes);
    EXPECT_EQ(PackStream::VarintSize(c.value), out.size());

    uint64_t read = 1;
    size_t end = 0;
    EXPECT_EQ(ReadResult(out, [&](PackStream& s) { read = s.GetVarint(); }, &end), PACK_OK);
    EXPECT_EQ(read, c.value);
    EXPECT_EQ(end, out.size());
  }
}

TEST(PackStreamVarint, DropsGroupsAboveBit63AndReadsOnToTheLastByte) {
  uint64_t value = 1;
  size_t end = 0;
  const std::string bytes = Hex("81 80 80 80 80 80 80 80 80 80 80 7F");
  EXPECT_EQ(ReadResult(bytes, [&](PackStream& s) { value = s.GetVarint(); }, &end), PACK_OK);
  EXPECT_EQ(value, 1u);
  EXPECT_EQ(end, bytes.size());
}

TEST(PackStreamReads, StopAtTheEndOfTheSource) {
  const struct {
    const char* name;
    std::string bytes;
    void (*read)(PackStream&);
  } cases[] = {
      {"byte of empty source", "", [](PackStream& s) { s.GetByte(); }},
      {"varint of empty source", "", [](PackStream& s) { s.GetVarint(); }},
      {"varint ending with 0x80 set", Hex("FF 80"), [](PackStream& s) { s.GetVarint(); }},
      {"string past the end", Hex("05 61 62"), [](PackStream& s) { s.GetString(); }},
      {"string of 2^63 bytes", Hex("80 80 80 80 80 80 80 80 80 01 61"),
       [](PackStream& s) { s.GetString(); }},
      {"descriptor of empty source", "", [](PackStream& s) { s.GetFieldDesc(); }},
      {"map descriptor without children", Hex("0A 40"), [](PackStream& s) { s.GetFieldDesc(); }},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ReadResult(c.bytes, c.read), PACK_SHORT_DATA) << c.name;
  }
}

TEST(PackStreamReads, StringPastTheEndLeavesTheTargetUntouched) {
  std::string target = "kept";
  EXPECT_EQ(ReadResult(Hex("04 61 62 63"), [&](PackStream& s) { s.GetString(target); }),
            PACK_SHORT_DATA);
  EXPECT_EQ(target, "kept");
}

TEST(PackStreamReads, ReportWhatTheyThrowAsTheRecordResult) {
  EXPECT_EQ(PackStream::CatchUnpackErrors([] {}), PACK_OK);
  EXPECT_EQ(PackStream::CatchUnpackErrors([] { throw PACK_TYPE_MISMATCH; }), PACK_TYPE_MISMATCH);
  EXPECT_EQ(PackStream::CatchUnpackErrors([] { throw std::length_error("too long"); }),
            PACK_STD_EXCEPTION);
  EXPECT_EQ(PackStream::CatchUnpackErrors([] { throw std::bad_alloc(); }), PACK_STD_EXCEPTION);
}

TEST(PackStreamWrites, OverwriteInsideTheDestinationAndAppendBeyondIt) {
  std::string out = "abcdef";
  PackStream writer;
  writer.BindDestination(out);
  writer.PutByte('X');
  writer.PutByte('Y');
  EXPECT_EQ(out, "XYcdef");
  writer.PutString("12345");  // length byte at 2, bytes 3..7 run past the old end
  EXPECT_EQ(ToHex(out), ToHex(std::string("XY\x05") + "12345"));
  EXPECT_EQ(writer.WritePosition(), 8u);
  writer.PutByte('!');
  EXPECT_EQ(out.back(), '!');
}

TEST(PackStreamFieldDesc, ReadsChildrenRecursively) {
  FieldDesc desc;
  EXPECT_EQ(ReadResult(Hex("0A 40 0A 41 40"), [&](PackStream& s) { desc = s.GetFieldDesc(); }),
            PACK_OK);
  EXPECT_EQ(desc.type, PT_MAP);
  ASSERT_EQ(desc.children.size(), 2u);
  EXPECT_EQ(desc.children[0].type, PT_STRING);
  EXPECT_EQ(desc.children[1].type, PT_MAP);
  ASSERT_EQ(desc.children[1].children.size(), 2u);
  EXPECT_EQ(desc.children[1].children[0].type, PT_STRING);
  EXPECT_EQ(desc.children[1].children[0].width, 1);

  EXPECT_EQ(ReadResult(Hex("53 0E 02"), [&](PackStream& s) { desc = s.GetFieldDesc(); }), PACK_OK);
  EXPECT_EQ(desc.type, PT_SIZED_LIST);
  EXPECT_EQ(desc.width, 3);
  ASSERT_EQ(desc.children.size(), 1u);
  EXPECT_EQ(desc.children[0].type, PT_LIST);
  EXPECT_EQ(desc.children[0].children.at(0).type, PT_UINT8);
}

// Each case is one field, descriptor and value. A field that skips is followed by a marker
// byte that must be left unread.
TEST(PackStreamSkip, SkipsEveryCodeOfTheTable) {
  const struct {
    std::string bytes;
    int result;
  } cases[] = {
      {Hex("01 AA"), PACK_OK},
      {Hex("02 AA"), PACK_OK},
      {Hex("0B AA"), PACK_OK},
      {Hex("03 80 01"), PACK_OK},
      {Hex("04 7F"), PACK_OK},
      {Hex("05 FF FF FF FF 0F"), PACK_OK},
      {Hex("06 00"), PACK_OK},
      {Hex("07 81 00"), PACK_OK},
      {Hex("08 FF FF FF FF FF FF FF FF FF 01"), PACK_OK},
      {Hex("0C 01 02 03 04"), PACK_OK},
      {Hex("0D 01 02 03 04 05 06 07 08"), PACK_OK},
      {Hex("09 02 02 AA 40 01 61"), PACK_OK},                   // struct of two fields
      {Hex("09 01 09 01 05 01"), PACK_OK},                      // struct in struct
      {Hex("0A 40 08 02 01 61 05 00 07"), PACK_OK},             // map string -> int64
      {Hex("0A 08 09 01 07 01 40 00"), PACK_OK},                // map int64 -> struct
      {Hex("0E 40 03 00 01 61 02 62 63"), PACK_OK},             // list of strings
      {Hex("0E 0E 02 02 01 02 00"), PACK_OK},                   // list of lists
      {Hex("40 03 61 62 63"), PACK_OK},                         // varint length
      {Hex("41 81") + std::string(0x81, 'x'), PACK_OK},   // one-byte length, not a varint
      {Hex("42 83 80 04 61 62 63"), PACK_OK},                   // 0x10003 cut to 16 bits = 3
      {Hex("43 03 61 62 63"), PACK_OK},
      {Hex("50 02 02 01 02"), PACK_OK},                         // sized list, varint count
      {Hex("51 40 02 00 00"), PACK_OK},                         // one-byte count
      {Hex("52 02 82 80 04 01 02"), PACK_OK},                   // 0x10002 cut to 16 bits = 2
      {Hex("0C 01 02 03"), PACK_SHORT_DATA},
      {Hex("41 05 61"), PACK_SHORT_DATA},
      {Hex("0A 40 40 80 80 80 80 80 80 80 80 10"), PACK_SHORT_DATA},  // 2^60 entries, no bytes
      {Hex("00"), PACK_INVALID_TYPE},
      {Hex("0F"), PACK_INVALID_TYPE},
      {Hex("10"), PACK_INVALID_TYPE},
      {Hex("60"), PACK_INVALID_TYPE},
      {Hex("F0"), PACK_INVALID_TYPE},
      {Hex("0E 0F 01 00"), PACK_INVALID_TYPE},
      {Hex("09 01 60"), PACK_INVALID_TYPE},
  };
  for (const auto& c : cases) {
    std::string bytes = c.bytes;
    const size_t fieldSize = bytes.size();
    if (c.result == PACK_OK) bytes.push_back('\x99');
    size_t end = 0;
    SCOPED_TRACE(ToHex(c.bytes));
    EXPECT_EQ(ReadResult(bytes, [](PackStream& s) { s.SkipField(); }, &end), c.result);
    if (c.result == PACK_OK) {
      EXPECT_EQ(end, fieldSize);
    }
  }
}

// Descriptors and values nest up to kMaxNesting levels together; a field that is a chain
// of n maps has its innermost descriptors at level n + 1.
TEST(PackStreamSkip, LimitsNestingTo64Levels) {
  const auto nestedMaps = [](int maps) {
    return std::string(maps, '\x0A') + std::string(maps + 1, '\x40') + '\0';
  };
  EXPECT_EQ(ReadResult(nestedMaps(63), [](PackStream& s) { s.SkipField(); }), PACK_OK);
  EXPECT_EQ(ReadResult(nestedMaps(64), [](PackStream& s) { s.SkipField(); }), PACK_INVALID_TYPE);

  // Each 09 09 pair opens one struct of nine fields whose first field is the next struct.
  EXPECT_EQ(ReadResult(std::string(100000, '\x09'), [](PackStream& s) { s.SkipField(); }),
            PACK_INVALID_TYPE);
  EXPECT_EQ(ReadResult(std::string(100000, '\x0A'), [](PackStream& s) { s.SkipField(); }),
            PACK_INVALID_TYPE);
  EXPECT_EQ(ReadResult(std::string(100000, '\x0E'), [](PackStream& s) { s.GetFieldType(); }),
            PACK_INVALID_TYPE);
}

}  // namespace
}  // namespace codec
