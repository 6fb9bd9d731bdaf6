// Payloads of the four "LogonProxy" calls: the outer request and response forms
// and the body records, field by field in wire order. The gateway packs the
// responses and reads the requests with the same declarations.
#ifndef VELKOR_SOURCE_MODEL_UNIFIEDAUTH_LOGON_RECORDS_H_
#define VELKOR_SOURCE_MODEL_UNIFIEDAUTH_LOGON_RECORDS_H_

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>

#include "codec/pack_record.h"

namespace logon {

// The key of the token entry that carries the login token.
inline constexpr uint64_t kLoginTokenKey = 8;
// The text that routes "login" and "login2" by the user.
inline constexpr char kRouteByUid[] = "uid";

// Outer record of every request: the body, then for "login" and "login2" the
// route key (count 2); without a route key only the body is written (count 1).
template <class Body>
struct LogonRequest : codec::PackRecord<LogonRequest<Body>> {
  Body body;
  std::string routeKey;
  static constexpr auto Fields() { return std::tuple{&LogonRequest::body, &LogonRequest::routeKey}; }
  static constexpr codec::RecordRules kRules{.written = 1, .required = 1};
};

// Outer form of every response: the gateway's bare varint result, which nothing
// interprets (the body has its own), then a record whose first field is the body.
template <class Body>
struct LogonResponse : codec::PackRecord<LogonResponse<Body>> {
  uint64_t resultCode = 0;
  Body body;
  static constexpr auto Fields() { return std::tuple{&LogonResponse::body}; }
  static constexpr codec::RecordRules kRules{.required = 1,
                                             .shape = codec::RecordShape::kCodeThenRecord};

  // Reads the result and the body and stops there: whatever follows the body is
  // not read, so it can neither fail nor cost anything.
  [[nodiscard]] int UnpackData(std::string_view in) {
    this->BindSource(in);
    return codec::PackStream::CatchUnpackErrors([&] {
      resultCode = this->GetVarint();
      if (this->GetByte() < 1) throw codec::PACK_SHORT_DATA;
      if (this->GetFieldType() != codec::PT_STRUCT) throw codec::PACK_TYPE_MISMATCH;
      codec::PackValue<Body>::Get(*this, body);
    });
  }
};

// "login" request; every field is always written.
struct LoginReq : codec::PackRecord<LoginReq> {
  uint8_t loginType = 0;  // low 8 bits of the host's login type
  std::string uid;
  std::string token;      // password or token
  std::string appVersion;
  std::string appKey;     // "COMM_" and the application's name
  std::string authScheme;
  uint8_t hasCheckCode = 0;
  int64_t clientType = 0;
  int64_t reserved = 0;   // the client assigns it no value
  std::map<std::string, std::string> deviceInfo;
  std::map<std::string, std::string> checkCodeInfo;
  static constexpr auto Fields() {
    return std::tuple{&LoginReq::loginType,    &LoginReq::uid,          &LoginReq::token,
                      &LoginReq::appVersion,   &LoginReq::appKey,       &LoginReq::authScheme,
                      &LoginReq::hasCheckCode, &LoginReq::clientType,   &LoginReq::reserved,
                      &LoginReq::deviceInfo,   &LoginReq::checkCodeInfo};
  }
};

// Value of the token maps, written inside the map without a type byte.
struct TokenEntry : codec::PackRecord<TokenEntry> {
  int32_t entryType = 0;
  std::string entryName;
  std::string entryValue;
  static constexpr auto Fields() {
    return std::tuple{&TokenEntry::entryType, &TokenEntry::entryName, &TokenEntry::entryValue};
  }
  static constexpr codec::RecordRules kRules{.required = 3};
};

// Keys are read as 64-bit varints and ordered as unsigned numbers.
using TokenMap = std::map<uint64_t, TokenEntry>;

// "login" response.
struct LoginRsp : codec::PackRecord<LoginRsp> {
  uint32_t retcode = 0;  // 0 ok, 8 check code, 9 second factor, else refused
  std::string userId;
  std::string uid;
  int64_t unused4 = 0;
  int64_t serverTime = 0;  // seconds
  int64_t unused6 = 0;
  std::string unused7;
  std::string unused8;
  std::string verifyHint;
  std::string unused10;
  std::string secondFactorToken;
  TokenMap tokens;
  std::map<std::string, std::string> extra;  // "errmsg", "checkcode_url", "checkcode_sessionid"
  static constexpr auto Fields() {
    return std::tuple{&LoginRsp::retcode,    &LoginRsp::userId,     &LoginRsp::uid,
                      &LoginRsp::unused4,    &LoginRsp::serverTime, &LoginRsp::unused6,
                      &LoginRsp::unused7,    &LoginRsp::unused8,    &LoginRsp::verifyHint,
                      &LoginRsp::unused10,   &LoginRsp::secondFactorToken,
                      &LoginRsp::tokens,     &LoginRsp::extra};
  }
  static constexpr codec::RecordRules kRules{.required = 13};
};

// "login2" request; JSON in field 2, field 3 empty.
struct Login2Req : codec::PackRecord<Login2Req> {
  std::string uid;
  std::string data;
  std::string unused3;
  std::string secondFactorToken;
  static constexpr auto Fields() {
    return std::tuple{&Login2Req::uid, &Login2Req::data, &Login2Req::unused3,
                      &Login2Req::secondFactorToken};
  }
};

// "login2" response.
struct Login2Rsp : codec::PackRecord<Login2Rsp> {
  uint32_t retcode = 0;
  std::string unused2;
  TokenMap tokens;
  static constexpr auto Fields() {
    return std::tuple{&Login2Rsp::retcode, &Login2Rsp::unused2, &Login2Rsp::tokens};
  }
  static constexpr codec::RecordRules kRules{.required = 3};
};

// "queryAuthData" request; unlike Login2Req the query's name is field 2 and the
// JSON field 3.
struct AuthDataReq : codec::PackRecord<AuthDataReq> {
  std::string uid;
  std::string type;  // "productsQuery" or "genCode"
  std::string data;
  std::string secondFactorToken;
  static constexpr auto Fields() {
    return std::tuple{&AuthDataReq::uid, &AuthDataReq::type, &AuthDataReq::data,
                      &AuthDataReq::secondFactorToken};
  }
};

// "queryAuthData" response.
struct AuthDataRsp : codec::PackRecord<AuthDataRsp> {
  uint32_t retcode = 0;
  std::string type;
  std::string unused3;
  std::string data;  // JSON
  static constexpr auto Fields() {
    return std::tuple{&AuthDataRsp::retcode, &AuthDataRsp::type, &AuthDataRsp::unused3,
                      &AuthDataRsp::data};
  }
  static constexpr codec::RecordRules kRules{.required = 4};
};

// "getVendomoTokenByBizToken" request.
struct BizTokenReq : codec::PackRecord<BizTokenReq> {
  static constexpr int32_t kWebBizType = 2001;
  std::string uid;
  std::string machineId;
  std::string bizToken;
  int32_t bizType = kWebBizType;
  static constexpr auto Fields() {
    return std::tuple{&BizTokenReq::uid, &BizTokenReq::machineId, &BizTokenReq::bizToken,
                      &BizTokenReq::bizType};
  }
};

// "getVendomoTokenByBizToken" response.
struct BizTokenRsp : codec::PackRecord<BizTokenRsp> {
  int32_t retcode = 0;
  int32_t unused2 = 0;
  std::string webPassSuffix;
  std::string signKey;
  int32_t tokenExtra = 0;
  static constexpr auto Fields() {
    return std::tuple{&BizTokenRsp::retcode, &BizTokenRsp::unused2, &BizTokenRsp::webPassSuffix,
                      &BizTokenRsp::signKey, &BizTokenRsp::tokenExtra};
  }
  static constexpr codec::RecordRules kRules{.required = 5};
};

// The payload of a request: `body` inside a LogonRequest, with `routeKey` for
// "login" and "login2" and without one for the other calls.
template <class Body>
std::string PackRequest(Body body, std::string routeKey = std::string()) {
  LogonRequest<Body> request;
  request.body = std::move(body);
  request.routeKey = std::move(routeKey);
  std::string payload;
  request.PackData(payload);
  return payload;
}

// The value of the token entry with key 8; empty when there is none.
inline std::string LoginTokenOf(const TokenMap& tokens) {
  auto found = tokens.find(kLoginTokenKey);
  return found == tokens.end() ? std::string() : found->second.entryValue;
}

}  // namespace logon

#endif  // VELKOR_SOURCE_MODEL_UNIFIEDAUTH_LOGON_RECORDS_H_
