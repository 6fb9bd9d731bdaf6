#pragma once

// Records declared once, by a field table. A record derives from PackRecord<itself>,
// lists its members in wire order in Fields() and, where it differs from "every field,
// always", states its count rule in kRules:
//
//   struct CreateVConnReq : codec::PackRecord<CreateVConnReq> {
//     std::string clusterName;
//     std::string routeName;
//     std::string allotKey;
//     static constexpr auto Fields() {
//       return std::tuple{&CreateVConnReq::clusterName, &CreateVConnReq::routeName,
//                         &CreateVConnReq::allotKey};
//     }
//   };
//
// The type code of each field follows from its C++ type: uint8_t PT_UINT8, int32_t PT_INT32,
// uint32_t PT_UINT32, int64_t and uint64_t PT_INT64, std::string PT_STRING, another record
// PT_STRUCT, std::map PT_MAP (keys and values of these types).

#include <algorithm>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <type_traits>
#include <utility>

#include "codec/pack_cursor.h"
#include "codec/pack_stream.h"

namespace codec {

// Clamped to the record's own field count.
inline constexpr int kAllFields = 255;

enum class RecordShape {
  kRecord,          // field count byte, then the fields
  kCodeThenRecord,  // a bare varint `resultCode`, then the record
  kCodeOnly,        // only the bare varint `resultCode`
};

struct RecordRules {
  // Fields always written. Later fields are written up to the last one that differs from
  // its default (the value of a default-constructed record), so trailing defaults go.
  int written = kAllFields;
  // The least field count accepted when unpacking.
  int required = kAllFields;
  RecordShape shape = RecordShape::kRecord;
  // Whether unpacking skips the fields past the known ones (and fails on what cannot be
  // skipped) or stops after the known ones, leaving the rest unread.
  bool skipExcess = true;
};

// Wire form of one C++ type: descriptor bytes, value size, writer and reader. Size and
// writer must agree byte for byte: packing writes into exactly the size they add up to.
template <class T>
struct PackValue;

template <class Derived>
class PackRecord;

namespace detail {

template <class D>
constexpr RecordRules RulesOf() {
  if constexpr (requires { D::kRules; }) {
    return D::kRules;
  } else {
    return RecordRules{};
  }
}

// The wire form of the bare result code in front of record D.
template <class D>
using CodeValueOf = PackValue<std::remove_cvref_t<decltype(std::declval<D&>().resultCode)>>;

// Count byte and fields of record D, shared by the outermost record and nested ones.
template <class D>
struct RecordBody {
  static constexpr auto kFields = D::Fields();
  static constexpr int kCount = static_cast<int>(std::tuple_size_v<decltype(kFields)>);
  static_assert(kCount <= 255, "a record has at most 255 fields");
  static constexpr int kWritten = std::min(RulesOf<D>().written, kCount);
  static constexpr int kRequired = std::min(RulesOf<D>().required, kCount);
  using Indices = std::make_index_sequence<kCount>;

  template <size_t I>
  static auto& Member(D& record) { return record.*std::get<I>(kFields); }
  template <size_t I>
  static const auto& Member(const D& record) { return record.*std::get<I>(kFields); }
  template <size_t I>
  using Value = std::remove_cvref_t<decltype(Member<I>(std::declval<const D&>()))>;

  static const D& Defaults() {
    static const D defaults{};
    return defaults;
  }

  static int Count(const D& record) {
    int count = kWritten;
    [&]<size_t... I>(std::index_sequence<I...>) {
      ((count = IsTrailingDefault<I>(record) ? count : static_cast<int>(I) + 1), ...);
    }(Indices{});
    return count;
  }

  template <size_t I>
  static bool IsTrailingDefault(const D& record) {
    if constexpr (I < static_cast<size_t>(kWritten)) {
      return true;
    } else {
      return Member<I>(record) == Member<I>(Defaults());
    }
  }

  static size_t Size(const D& record, int count) {
    size_t size = 1;
    [&]<size_t... I>(std::index_sequence<I...>) {
      (void)((static_cast<int>(I) < count &&
              (size += PackValue<Value<I>>::kDescSize + PackValue<Value<I>>::Size(Member<I>(record)),
               true)) &&
             ...);
    }(Indices{});
    return size;
  }

  static void Write(PackCursor& cursor, const D& record, int count) {
    cursor.PutByte(static_cast<uint8_t>(count));
    WriteFields(cursor, record, count, Indices{});
  }

  // Arguments rather than lambda captures: the writes go through char stores, which
  // could alias captured references and would reload them after every field.
  template <size_t... I>
  static void WriteFields(PackCursor& cursor, const D& record, int count,
                          std::index_sequence<I...>) {
    (void)((static_cast<int>(I) < count && (WriteField<I>(cursor, record), true)) && ...);
  }

  template <size_t I>
  static void WriteField(PackCursor& cursor, const D& record) {
    PackValue<Value<I>>::PutDesc(cursor);
    PackValue<Value<I>>::Put(cursor, Member<I>(record));
  }

  static void Read(PackStream& stream, D& record) {
    const int count = stream.GetByte();
    if (count < kRequired) throw PACK_SHORT_DATA;
    [&]<size_t... I>(std::index_sequence<I...>) {
      (void)((static_cast<int>(I) < count && (ReadField<I>(stream, record), true)) && ...);
    }(Indices{});
    if constexpr (RulesOf<D>().skipExcess) {
      for (int excess = count - kCount; excess > 0; --excess) stream.SkipField();
    }
  }

  // A map's child descriptors are read but not compared: its entries are read as the
  // record's own key and value types.
  template <size_t I>
  static void ReadField(PackStream& stream, D& record) {
    if (stream.GetFieldType() != PackValue<Value<I>>::kCode) throw PACK_TYPE_MISMATCH;
    PackValue<Value<I>>::Get(stream, Member<I>(record));
  }
};

}  // namespace detail

template <class Derived>
class PackRecord : public PackStream {
 public:
  // Exact number of bytes PackData writes.
  size_t PackedSize() const { return SizeWith(FieldCount()); }

  // Writes the record at the start of `out` (expected empty), overwriting what lies
  // there and growing `out` to the record's exact size once. The record's own cursors
  // stay untouched, so a const record packs.
  void PackData(std::string& out) const {
    const Derived& self = static_cast<const Derived&>(*this);
    const int count = FieldCount();
    const size_t size = SizeWith(count);
    if (out.size() < size) out.resize(size);
    PackCursor cursor(out.data());
    if constexpr (HasCode()) detail::CodeValueOf<Derived>::Put(cursor, self.resultCode);
    if constexpr (HasRecord()) Body::Write(cursor, self, count);
  }

  // Reads the record from the start of `in`; ReadPosition() then tells where it ended.
  // Returns PACK_OK or the PACKRETCODE that stopped it. Fields read before a failure keep
  // their new values, the others their old ones.
  [[nodiscard]] int UnpackData(std::string_view in) {
    BindSource(in);
    Derived& self = static_cast<Derived&>(*this);
    return CatchUnpackErrors([&] {
      if constexpr (HasCode()) detail::CodeValueOf<Derived>::Get(*this, self.resultCode);
      if constexpr (HasRecord()) Body::Read(*this, self);
    });
  }

 private:
  // Functions, not constants: Derived is complete only inside member bodies.
  static constexpr bool HasCode() { return detail::RulesOf<Derived>().shape != RecordShape::kRecord; }
  static constexpr bool HasRecord() {
    return detail::RulesOf<Derived>().shape != RecordShape::kCodeOnly;
  }
  using Body = detail::RecordBody<Derived>;

  // Fields written after the count byte; found once per pack, since finding it may
  // compare trailing fields with their defaults.
  int FieldCount() const {
    if constexpr (HasRecord()) {
      return Body::Count(static_cast<const Derived&>(*this));
    } else {
      return 0;
    }
  }
  size_t SizeWith(int count) const {
    const Derived& self = static_cast<const Derived&>(*this);
    size_t size = 0;
    if constexpr (HasCode()) size += detail::CodeValueOf<Derived>::Size(self.resultCode);
    if constexpr (HasRecord()) size += Body::Size(self, count);
    return size;
  }
};

template <>
struct PackValue<uint8_t> {
  static constexpr int kCode = PT_UINT8;
  static constexpr size_t kDescSize = 1;
  static void PutDesc(PackCursor& cursor) { cursor.PutByte(kCode); }
  static size_t Size(uint8_t) { return 1; }
  static void Put(PackCursor& cursor, uint8_t value) { cursor.PutByte(value); }
  static void Get(PackStream& stream, uint8_t& value) { value = stream.GetByte(); }
};

template <class T>
concept PackInteger =
    std::is_integral_v<T> && !std::is_same_v<T, bool> && (sizeof(T) == 4 || sizeof(T) == 8);

// Varints of the value's bit pattern, zero-extended; reading keeps the low bits.
template <PackInteger T>
struct PackValue<T> {
  using Bits = std::make_unsigned_t<T>;
  static constexpr int kCode = sizeof(T) == 8 ? PT_INT64 : std::is_signed_v<T> ? PT_INT32 : PT_UINT32;
  static constexpr size_t kDescSize = 1;
  static void PutDesc(PackCursor& cursor) { cursor.PutByte(kCode); }
  static size_t Size(T value) { return PackStream::VarintSize(static_cast<Bits>(value)); }
  static void Put(PackCursor& cursor, T value) { cursor.PutVarint(static_cast<Bits>(value)); }
  static void Get(PackStream& stream, T& value) {
    value = static_cast<T>(static_cast<Bits>(stream.GetVarint()));
  }
};

// Written with width 0; the length is read as a varint whatever the width.
template <>
struct PackValue<std::string> {
  static constexpr int kCode = PT_STRING;
  static constexpr size_t kDescSize = 1;
  static void PutDesc(PackCursor& cursor) { cursor.PutByte(kCode); }
  static size_t Size(const std::string& value) {
    return PackStream::VarintSize(value.size()) + value.size();
  }
  static void Put(PackCursor& cursor, const std::string& value) { cursor.PutString(value); }
  static void Get(PackStream& stream, std::string& value) { stream.GetString(value); }
};

// A nested record: its field count and fields. Inside a map it has no descriptor byte.
template <class T>
  requires std::derived_from<T, PackRecord<T>>
struct PackValue<T> {
  using Body = detail::RecordBody<T>;
  static constexpr int kCode = PT_STRUCT;
  static constexpr size_t kDescSize = 1;
  static void PutDesc(PackCursor& cursor) { cursor.PutByte(kCode); }
  static size_t Size(const T& value) { return Body::Size(value, Body::Count(value)); }
  static void Put(PackCursor& cursor, const T& value) { Body::Write(cursor, value, Body::Count(value)); }
  static void Get(PackStream& stream, T& value) {
    PackStream::NestingGuard guard(stream);
    Body::Read(stream, value);
  }
};

// Entry count, then key and value of each entry in key order. Reading replaces the map;
// a key that comes again keeps its last value.
template <class K, class V, class C, class A>
struct PackValue<std::map<K, V, C, A>> {
  using Map = std::map<K, V, C, A>;
  static constexpr int kCode = PT_MAP;
  static constexpr size_t kDescSize = 1 + PackValue<K>::kDescSize + PackValue<V>::kDescSize;
  static void PutDesc(PackCursor& cursor) {
    cursor.PutByte(kCode);
    PackValue<K>::PutDesc(cursor);
    PackValue<V>::PutDesc(cursor);
  }
  static size_t Size(const Map& map) {
    size_t size = PackStream::VarintSize(map.size());
    for (const auto& [key, value] : map) size += PackValue<K>::Size(key) + PackValue<V>::Size(value);
    return size;
  }
  static void Put(PackCursor& cursor, const Map& map) {
    cursor.PutVarint(map.size());
    for (const auto& [key, value] : map) {
      PackValue<K>::Put(cursor, key);
      PackValue<V>::Put(cursor, value);
    }
  }
  // Nothing is reserved from the count: every entry takes bytes, so a false count ends
  // at the end of the source.
  static void Get(PackStream& stream, Map& map) {
    map.clear();
    for (uint64_t entries = stream.GetVarint(); entries > 0; --entries) {
      K key{};
      V value{};
      PackValue<K>::Get(stream, key);
      PackValue<V>::Get(stream, value);
      map.insert_or_assign(map.end(), std::move(key), std::move(value));
    }
  }
};

}  // namespace codec
