#pragma once

// The envelope at the head of every channel message, and the wrapped-body form that the
// interface/method pair "zq"/"s" uses.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "codec/pack_record.h"

namespace nexalib {

// Values of RpcEnvelope::callType.
inline constexpr uint8_t kCallRequest = 0;
inline constexpr uint8_t kCallResponse = 1;
inline constexpr uint8_t kCallNotify = 2;

// Always writes the interface; later fields only up to the last one off its default, so a
// notification without method is the count 1 and the interface alone.
struct RpcEnvelope : codec::PackRecord<RpcEnvelope> {
  std::string _interface;
  std::string _method;
  uint8_t callType = kCallNotify;
  int64_t seqId = 0;                        // a response carries the number of its request
  std::string ext;                          // empty when sent, ignored when received
  std::map<std::string, std::string> props;  // empty when sent, ignored when received

  static constexpr auto Fields() {
    return std::tuple{&RpcEnvelope::_interface, &RpcEnvelope::_method, &RpcEnvelope::callType,
                      &RpcEnvelope::seqId,      &RpcEnvelope::ext,     &RpcEnvelope::props};
  }
  static constexpr codec::RecordRules kRules{.written = 1, .required = 1};
  bool operator==(const RpcEnvelope&) const = default;
};

struct WrappedString : codec::PackRecord<WrappedString> {
  std::string body;
  static constexpr auto Fields() { return std::tuple{&WrappedString::body}; }
};

// True for the one pair whose bodies travel inside a WrappedString.
bool IsWrappedBody(std::string_view _interface, std::string_view _method);
std::string WrapBody(std::string_view body);
// The body inside a WrappedString; empty when it does not unpack.
std::string UnwrapBody(std::string_view wrapped);

// The plain payload of a frame: the packed envelope followed by the body, in one buffer
// sized once.
std::string PackMessage(const RpcEnvelope& envelope, std::string_view body);

}  // namespace nexalib
