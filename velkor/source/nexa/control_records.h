#pragma once

// Bodies of the channel's own calls: key exchange, fast reconnect, virtual connections and
// the server's pushes. Responses to these calls start with a bare varint result code.

#include <cstdint>
#include <string>
#include <tuple>

#include "codec/pack_record.h"

namespace nexalib {

// "NexaCore"/"exchangeKey" request.
struct ExchangeKeyReq : codec::PackRecord<ExchangeKeyReq> {
  std::string encryptedClientKey;  // RSA-encrypted clientKey
  static constexpr auto Fields() { return std::tuple{&ExchangeKeyReq::encryptedClientKey}; }
};

// "NexaCore"/"exchangeKey" response. The result code is read but not consulted: a record
// with its three fields is what makes the exchange succeed. Further fields are skipped.
struct ExchangeKeyRsp : codec::PackRecord<ExchangeKeyRsp> {
  int32_t resultCode = 0;
  std::string encryptedSessionKey;  // AES-encrypted with the clientKey
  int32_t reconnectId = 0;
  std::string reconnectToken;
  static constexpr auto Fields() {
    return std::tuple{&ExchangeKeyRsp::encryptedSessionKey, &ExchangeKeyRsp::reconnectId,
                      &ExchangeKeyRsp::reconnectToken};
  }
  static constexpr codec::RecordRules kRules{.shape = codec::RecordShape::kCodeThenRecord};
};

// "NexaCore"/"reconnect" request.
struct FastReconnectReq : codec::PackRecord<FastReconnectReq> {
  int32_t reconnectId = 0;
  std::string reconnectToken;
  static constexpr auto Fields() {
    return std::tuple{&FastReconnectReq::reconnectId, &FastReconnectReq::reconnectToken};
  }
};

// Response of "NexaCore"/"reconnect" and "ScSession"/"start": the result code alone,
// 0 for success. Anything after it is not read.
struct ResultCodeRsp : codec::PackRecord<ResultCodeRsp> {
  int32_t resultCode = 0;
  static constexpr codec::RecordRules kRules{.shape = codec::RecordShape::kCodeOnly};
};

// "ScSession"/"start" request on the virtual connection's sessionId.
struct CreateVConnReq : codec::PackRecord<CreateVConnReq> {
  std::string clusterName;
  std::string routeName;
  std::string allotKey;
  static constexpr auto Fields() {
    return std::tuple{&CreateVConnReq::clusterName, &CreateVConnReq::routeName,
                      &CreateVConnReq::allotKey};
  }
};

// "ScSession"/"stop" in both directions. Sent, it carries the sessionId, and packs to the
// count 0 alone for sessionId 0; pushed by the server, the same field is an optional close
// code (absent or 0: closed normally).
struct DestroyVConnReq : codec::PackRecord<DestroyVConnReq> {
  int32_t sessionId = 0;
  static constexpr auto Fields() { return std::tuple{&DestroyVConnReq::sessionId}; }
  static constexpr codec::RecordRules kRules{.written = 0, .required = 0};
};

// "SC"/"renewLoginSession" push; the channel consumes it without using its fields.
struct RenewLoginSessionPush : codec::PackRecord<RenewLoginSessionPush> {
  int32_t status = 0;
  std::string loginSession;
  static constexpr auto Fields() {
    return std::tuple{&RenewLoginSessionPush::status, &RenewLoginSessionPush::loginSession};
  }
};

}  // namespace nexalib
