// A record with a field of every kind the system writes, nested records and maps of them,
// read from arbitrary bytes; its excess fields exercise skipping of every code. The same
// bytes are also skipped field by field from the start.

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "codec/pack_record.h"
#include "roundtrip_check.h"

namespace {

struct Entry : codec::PackRecord<Entry> {
  int32_t kind = 0;
  std::string name;
  std::string value;
  static constexpr auto Fields() { return std::tuple{&Entry::kind, &Entry::name, &Entry::value}; }
  static constexpr codec::RecordRules kRules{.written = 1, .required = 1};
  bool operator==(const Entry&) const = default;
};

struct Every : codec::PackRecord<Every> {
  uint8_t flag = 0;
  std::string text;
  int32_t signedValue = 0;
  uint32_t unsignedValue = 3;
  int64_t wide = 0;
  Entry nested;
  std::map<uint64_t, Entry> entries;
  std::map<std::string, std::string> pairs;
  std::map<std::string, std::map<std::string, std::string>> nestedPairs;
  static constexpr auto Fields() {
    return std::tuple{&Every::flag,   &Every::text,    &Every::signedValue,
                      &Every::unsignedValue, &Every::wide, &Every::nested,
                      &Every::entries, &Every::pairs,  &Every::nestedPairs};
  }
  static constexpr codec::RecordRules kRules{.written = 2, .required = 2};
  bool operator==(const Every&) const = default;
};

struct WithCode : codec::PackRecord<WithCode> {
  int32_t resultCode = 0;
  Every body;
  static constexpr auto Fields() { return std::tuple{&WithCode::body}; }
  static constexpr codec::RecordRules kRules{.required = 1,
                                             .shape = codec::RecordShape::kCodeThenRecord};
  bool operator==(const WithCode&) const = default;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  fuzz_codec::CheckRoundTrip<Every>(input);
  fuzz_codec::CheckRoundTrip<WithCode>(input);

  codec::PackStream stream;
  stream.BindSource(input);
  (void)codec::PackStream::CatchUnpackErrors([&] {
    while (stream.ReadPosition() < input.size()) stream.SkipField();
  });
  return 0;
}
