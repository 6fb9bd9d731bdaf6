#include "codec/pack_record.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <tuple>

#include "codec/hex.h"

namespace codec {
namespace {

using codec_test::Hex;
using codec_test::ToHex;

struct ThreeStrings : PackRecord<ThreeStrings> {
  std::string a, b, c;
  static constexpr auto Fields() {
    return std::tuple{&ThreeStrings::a, &ThreeStrings::b, &ThreeStrings::c};
  }
  bool operator==(const ThreeStrings&) const = default;
};

struct Entry : PackRecord<Entry> {
  int32_t kind = 0;
  std::string name;
  std::string value;
  static constexpr auto Fields() { return std::tuple{&Entry::kind, &Entry::name, &Entry::value}; }
  static constexpr RecordRules kRules{.required = 2};
  bool operator==(const Entry&) const = default;
};

// One field of every kind; the first two are always written, later ones only up to the
// last that differs from its default (note the non-zero default of `level`).
struct Every : PackRecord<Every> {
  uint8_t flag = 0;
  std::string text;
  uint8_t level = 2;
  int32_t signedValue = 0;
  uint32_t unsignedValue = 0;
  int64_t wide = 0;
  Entry nested;
  std::map<uint64_t, Entry> entries;
  std::map<std::string, std::string> pairs;
  static constexpr auto Fields() {
    return std::tuple{&Every::flag,   &Every::text,    &Every::level,
                      &Every::signedValue, &Every::unsignedValue, &Every::wide,
                      &Every::nested, &Every::entries, &Every::pairs};
  }
  static constexpr RecordRules kRules{.written = 2, .required = 1};
  bool operator==(const Every&) const = default;
};

struct CodeAndRecord : PackRecord<CodeAndRecord> {
  int32_t resultCode = 0;
  std::string text;
  static constexpr auto Fields() { return std::tuple{&CodeAndRecord::text}; }
  static constexpr RecordRules kRules{.shape = RecordShape::kCodeThenRecord};
};

// Reads its first field and leaves whatever follows unread.
struct FirstOnly : PackRecord<FirstOnly> {
  std::string first;
  static constexpr auto Fields() { return std::tuple{&FirstOnly::first}; }
  static constexpr RecordRules kRules{.skipExcess = false};
};

struct CodeOnly : PackRecord<CodeOnly> {
  int32_t resultCode = 0;
  static constexpr RecordRules kRules{.shape = RecordShape::kCodeOnly};
};

// Packing writes into exactly the size it computed first, so the two must agree.
template <class Record>
std::string Packed(Record record) {
  std::string out;
  record.PackData(out);
  EXPECT_EQ(out.size(), record.PackedSize());
  return out;
}

TEST(PackRecord, PacksThreeStringsWithAFixedCount) {
  ThreeStrings record;
  record.a = "ab";
  record.c = "xyz";
  const std::string bytes = Packed(record);
  EXPECT_EQ(ToHex(bytes), "03 40 02 61 62 40 00 40 03 78 79 7A");

  ThreeStrings read;
  EXPECT_EQ(read.UnpackData(bytes), PACK_OK);
  EXPECT_EQ(read, record);
  EXPECT_EQ(read.ReadPosition(), bytes.size());
  EXPECT_EQ(ToHex(Packed(ThreeStrings{})), "03 40 00 40 00 40 00");
}

TEST(PackRecord, OmitsTrailingDefaultsAndRestoresThem) {
  const struct {
    const char* name;
    void (*set)(Every&);
    const char* bytes;
  } cases[] = {
      {"all defaults keep the written two", [](Every&) {}, "02 02 00 40 00"},
      {"default level is not written", [](Every& r) { r.text = "a"; }, "02 02 00 40 01 61"},
      {"level 0 differs from its default", [](Every& r) { r.level = 0; },
       "03 02 00 40 00 02 00"},
      {"negative 32-bit takes five bytes", [](Every& r) { r.signedValue = -1; },
       "04 02 00 40 00 02 02 05 FF FF FF FF 0F"},
      {"unsigned 32-bit has its own code", [](Every& r) { r.unsignedValue = 300; },
       "05 02 00 40 00 02 02 05 00 06 AC 02"},
      {"last map set writes all nine",
       [](Every& r) { r.pairs = {{"k", "v"}}; },
       "09 02 00 40 00 02 02 05 00 06 00 08 00 09 03 05 00 40 00 40 00 0A 08 09 00"
       " 0A 40 40 01 01 6B 01 76"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Every record;
    c.set(record);
    const std::string bytes = Packed(record);
    EXPECT_EQ(ToHex(bytes), c.bytes);
    Every read;
    EXPECT_EQ(read.UnpackData(bytes), PACK_OK);
    EXPECT_EQ(read, record);
  }
}

TEST(PackRecord, WritesMapsInKeyOrderWithNestedRecordsWithoutTheirCode) {
  Every record;
  record.entries[300].name = "n";
  record.entries[1].value = "v";
  record.entries[1].kind = -2;
  record.pairs = {{"b", ""}, {"a", "x"}};
  const std::string bytes = Packed(record);
  EXPECT_EQ(ToHex(bytes),
            "09 02 00 40 00 02 02 05 00 06 00 08 00 09 03 05 00 40 00 40 00"
            " 0A 08 09 02"
            " 01 03 05 FE FF FF FF 0F 40 00 40 01 76"
            " AC 02 03 05 00 40 01 6E 40 00"
            " 0A 40 40 02 01 61 01 78 01 62 00");
  Every read;
  EXPECT_EQ(read.UnpackData(bytes), PACK_OK);
  EXPECT_EQ(read, record);
}

TEST(PackRecord, ReadsLowBitsAndIgnoresTheWidthOfStringsAndTheChildrenOfMaps) {
  // signedValue as a 64-bit varint; text with a one-byte-length descriptor 0x41 but a varint
  // length; pairs described as int64 -> int64 yet read as string -> string.
  const std::string bytes = Hex(
      "09 02 07 41 01 61 02 02 05 FF FF FF FF FF FF FF FF FF 01 06 00 08 00 09 02 05 00 40 00"
      " 0A 08 09 00 0A 08 08 01 01 6B 01 76");
  Every read;
  ASSERT_EQ(read.UnpackData(bytes), PACK_OK);
  EXPECT_EQ(read.flag, 7);
  EXPECT_EQ(read.text, "a");
  EXPECT_EQ(read.signedValue, -1);
  EXPECT_EQ((read.pairs), (std::map<std::string, std::string>{{"k", "v"}}));
}

// 255 fields, of which the record knows three; the rest carry codes that only skipping
// knows.
TEST(PackRecord, SkipsExcessFieldsOfEveryUnknownCodeUpTo255) {
  const std::string unknown[] = {
      Hex("01 AA"),
      Hex("0C 01 02 03 04"),
      Hex("0D 01 02 03 04 05 06 07 08"),
      Hex("41 03 61 62 63"),
      Hex("42 82 80 04 61 62"),
      Hex("50 40 02 01 61 00"),
      Hex("51 0E 02 01 02 0A 0B"),
  };
  std::string bytes = Hex("FF 40 01 61 40 00 40 01 62");
  for (int field = 3; field < 255; ++field) bytes += unknown[field % std::size(unknown)];
  ThreeStrings read;
  EXPECT_EQ(read.UnpackData(bytes + "tail"), PACK_OK);
  EXPECT_EQ(read.ReadPosition(), bytes.size());
  EXPECT_EQ(read.c, "b");
}

TEST(PackRecord, LeavesExcessFieldsUnreadWhenToldSo) {
  FirstOnly read;
  EXPECT_EQ(read.UnpackData(Hex("03 40 01 61 60 0F")), PACK_OK);
  EXPECT_EQ(read.first, "a");
  EXPECT_EQ(read.ReadPosition(), 4u);
  EXPECT_EQ(read.UnpackData(Hex("00")), PACK_SHORT_DATA);
}

TEST(PackRecord, RejectsMalformedInputWithItsCode) {
  const struct {
    const char* name;
    std::string bytes;
    int result;
  } cases[] = {
      {"empty source", "", PACK_SHORT_DATA},
      {"count below the minimum", Hex("02 40 00 40 00"), PACK_SHORT_DATA},
      {"count present, fields missing", Hex("03 40 00"), PACK_SHORT_DATA},
      {"short varint length", Hex("03 40 80"), PACK_SHORT_DATA},
      {"string past the end", Hex("03 40 05 61 62"), PACK_SHORT_DATA},
      {"field of another code", Hex("03 40 00 08 00 40 00"), PACK_TYPE_MISMATCH},
      {"descriptor 00 in an excess field", Hex("04 40 00 40 00 40 00 00"), PACK_INVALID_TYPE},
      {"descriptor 0F in an excess field", Hex("04 40 00 40 00 40 00 0F 00"), PACK_INVALID_TYPE},
      {"descriptor 60 in an excess field", Hex("04 40 00 40 00 40 00 60 00"), PACK_INVALID_TYPE},
      {"100 000 bytes of 09 in an excess field",
       Hex("04 40 00 40 00 40 00") + std::string(100000, '\x09'), PACK_INVALID_TYPE},
      {"100 000 bytes of 0A in an excess field",
       Hex("04 40 00 40 00 40 00") + std::string(100000, '\x0A'), PACK_INVALID_TYPE},
      {"excess map of 2^60 entries and nothing after",
       Hex("04 40 00 40 00 40 00 0A 40 40 80 80 80 80 80 80 80 80 10"), PACK_SHORT_DATA},
      {"excess list of 2^60 entries and nothing after",
       Hex("04 40 00 40 00 40 00 0E 02 80 80 80 80 80 80 80 80 10"), PACK_SHORT_DATA},
  };
  for (const auto& c : cases) {
    ThreeStrings read;
    EXPECT_EQ(read.UnpackData(c.bytes), c.result) << c.name;
  }
}

TEST(PackRecord, RejectsMalformedNestedFieldsWithTheirCode) {
  const std::string head = "09 02 00 40 00 02 02 05 00 06 00 08 00 ";
  const struct {
    const char* name;
    std::string bytes;
    int result;
  } cases[] = {
      {"known map of 2^60 entries and nothing after",
       Hex(head + "09 02 05 00 40 00 0A 08 09 80 80 80 80 80 80 80 80 10"), PACK_SHORT_DATA},
      {"nested record below its minimum", Hex(head + "09 01 05 00"), PACK_SHORT_DATA},
      {"map value below its minimum", Hex(head + "09 02 05 00 40 00 0A 08 09 01 07 01 05 00"),
       PACK_SHORT_DATA},
      {"nested field of another code", Hex(head + "09 02 08 00 40 00"), PACK_TYPE_MISMATCH},
      {"known map with children nested too deep",
       Hex(head + "09 02 05 00 40 00 0A") + std::string(100000, '\x0A'), PACK_INVALID_TYPE},
      {"nested record whose excess field is too deep",
       Hex(head + "09 04 05 00 40 00 40 00") + std::string(100000, '\x09'), PACK_INVALID_TYPE},
  };
  for (const auto& c : cases) {
    Every read;
    EXPECT_EQ(read.UnpackData(c.bytes), c.result) << c.name;
  }
}

TEST(PackRecord, KeepsTheFieldsReadBeforeAMismatch) {
  ThreeStrings read;
  read.c = "old";
  EXPECT_EQ(read.UnpackData(Hex("03 40 01 61 05 00 40 00")), PACK_TYPE_MISMATCH);
  EXPECT_EQ(read.a, "a");
  EXPECT_EQ(read.c, "old");
}

TEST(PackRecord, CarriesABareResultCodeInFront) {
  CodeAndRecord record;
  record.resultCode = -1;
  record.text = "t";
  EXPECT_EQ(ToHex(Packed(record)), "FF FF FF FF 0F 01 40 01 74");

  CodeAndRecord read;
  EXPECT_EQ(read.UnpackData(Hex("07 02 40 01 74 08 05")), PACK_OK);  // extra field skipped
  EXPECT_EQ(read.resultCode, 7);
  EXPECT_EQ(read.text, "t");
  EXPECT_EQ(read.UnpackData(Hex("00")), PACK_SHORT_DATA);

  CodeOnly code;
  code.resultCode = 300;
  EXPECT_EQ(ToHex(Packed(code)), "AC 02");
  CodeOnly readCode;
  EXPECT_EQ(readCode.UnpackData(Hex("05 01 40 00")), PACK_OK);  // a following record is not read
  EXPECT_EQ(readCode.resultCode, 5);
  EXPECT_EQ(readCode.ReadPosition(), 1u);
  EXPECT_EQ(readCode.UnpackData(""), PACK_SHORT_DATA);
}

}  // namespace
}  // namespace codec
