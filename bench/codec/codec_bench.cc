// Pack and unpack of a login-response-shaped record and of a small three-string record,
// beside protobuf-lite serialising and parsing the same content in the same run.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <map>
#include <string>
#include <tuple>

#include "codec/pack_record.h"
#include "same_content.pb.h"

namespace {

struct TokenEntry : codec::PackRecord<TokenEntry> {
  int32_t entryType = 0;
  std::string entryName;
  std::string entryValue;
  static constexpr auto Fields() {
    return std::tuple{&TokenEntry::entryType, &TokenEntry::entryName, &TokenEntry::entryValue};
  }
};

struct LoginRsp : codec::PackRecord<LoginRsp> {
  uint32_t retcode = 0;
  std::string userId, uid;
  int64_t unused4 = 0, serverTime = 0, unused6 = 0;
  std::string unused7, unused8, verifyHint, unused10, secondFactorToken;
  std::map<uint64_t, TokenEntry> tokens;
  std::map<std::string, std::string> extra;
  static constexpr auto Fields() {
    return std::tuple{&LoginRsp::retcode,    &LoginRsp::userId,  &LoginRsp::uid,
                      &LoginRsp::unused4,    &LoginRsp::serverTime, &LoginRsp::unused6,
                      &LoginRsp::unused7,    &LoginRsp::unused8, &LoginRsp::verifyHint,
                      &LoginRsp::unused10,   &LoginRsp::secondFactorToken, &LoginRsp::tokens,
                      &LoginRsp::extra};
  }
};

struct ThreeStrings : codec::PackRecord<ThreeStrings> {
  std::string a, b, c;
  static constexpr auto Fields() {
    return std::tuple{&ThreeStrings::a, &ThreeStrings::b, &ThreeStrings::c};
  }
};

// Strings of 12 to 40 bytes, three int64, three token entries with 64-byte values,
// three string pairs.
struct Content {
  std::string userId = "user-00012345678";
  std::string uid = "UD000000cn-jiangsu-suzhou-42";
  std::string s7 = "session-route-key-0001";
  std::string s8 = "0123456789abcdef0123456789abcdef01234567";
  std::string verifyHint = "138****5678";
  std::string s10 = "no-hint-for-you-today";
  std::string secondFactorToken = "2fa-7f3c9e1d5b8a4620c1e3f5a7b9d0";
  int64_t i4 = 1234567890123, serverTime = 1733800000, i6 = 42;
  uint64_t tokenKeys[3] = {1, 8, 300};
  std::string tokenNames[3] = {"webToken____", "loginToken__", "refreshToken"};
  std::string tokenValue = std::string(64, 'v');
  std::pair<std::string, std::string> extra[3] = {
      {"errmsg", "everything is fine here"},
      {"checkcode_sessionid", "cs-0000000000001"},
      {"checkcode_url", "http://127.0.0.1/checkcode?id=1"}};
};

LoginRsp Ours(const Content& c) {
  LoginRsp r;
  r.retcode = 0;
  r.userId = c.userId;
  r.uid = c.uid;
  r.unused4 = c.i4;
  r.serverTime = c.serverTime;
  r.unused6 = c.i6;
  r.unused7 = c.s7;
  r.unused8 = c.s8;
  r.verifyHint = c.verifyHint;
  r.unused10 = c.s10;
  r.secondFactorToken = c.secondFactorToken;
  for (int i = 0; i < 3; ++i) {
    TokenEntry& e = r.tokens[c.tokenKeys[i]];
    e.entryType = i + 1;
    e.entryName = c.tokenNames[i];
    e.entryValue = c.tokenValue;
  }
  for (const auto& [k, v] : c.extra) r.extra[k] = v;
  return r;
}

codec_bench::LoginRsp Theirs(const Content& c) {
  codec_bench::LoginRsp r;
  r.set_retcode(0);
  r.set_user_id(c.userId);
  r.set_uid(c.uid);
  r.set_unused4(c.i4);
  r.set_server_time(c.serverTime);
  r.set_unused6(c.i6);
  r.set_unused7(c.s7);
  r.set_unused8(c.s8);
  r.set_verify_hint(c.verifyHint);
  r.set_unused10(c.s10);
  r.set_second_factor_token(c.secondFactorToken);
  for (int i = 0; i < 3; ++i) {
    codec_bench::TokenEntry& e = (*r.mutable_tokens())[static_cast<int64_t>(c.tokenKeys[i])];
    e.set_entry_type(i + 1);
    e.set_entry_name(c.tokenNames[i]);
    e.set_entry_value(c.tokenValue);
  }
  for (const auto& [k, v] : c.extra) (*r.mutable_extra())[k] = v;
  return r;
}

ThreeStrings OursSmall() {
  ThreeStrings r;
  r.a = "LogonProxy";
  r.b = "getVendomoTokenByBizToken";
  r.c = "0123456789abcdef";
  return r;
}

codec_bench::ThreeStrings TheirsSmall() {
  codec_bench::ThreeStrings r;
  r.set_a("LogonProxy");
  r.set_b("getVendomoTokenByBizToken");
  r.set_c("0123456789abcdef");
  return r;
}

template <class Record>
void PackOurs(benchmark::State& state, const Record& record) {
  for (auto _ : state) {
    std::string out;
    record.PackData(out);
    benchmark::DoNotOptimize(out.data());
  }
}

template <class Record>
void UnpackOurs(benchmark::State& state, const Record& record) {
  std::string bytes;
  record.PackData(bytes);
  for (auto _ : state) {
    Record read;
    if (read.UnpackData(bytes) != codec::PACK_OK) state.SkipWithError("unpack failed");
    benchmark::DoNotOptimize(&read);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

template <class Message>
void SerializeTheirs(benchmark::State& state, const Message& message) {
  for (auto _ : state) {
    std::string out;
    message.SerializeToString(&out);
    benchmark::DoNotOptimize(out.data());
  }
}

template <class Message>
void ParseTheirs(benchmark::State& state, const Message& message) {
  const std::string bytes = message.SerializeAsString();
  for (auto _ : state) {
    Message read;
    if (!read.ParseFromString(bytes)) state.SkipWithError("parse failed");
    benchmark::DoNotOptimize(&read);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

void BM_LoginRsp_Pack(benchmark::State& s) { PackOurs(s, Ours(Content{})); }
void BM_LoginRsp_ProtobufSerialize(benchmark::State& s) { SerializeTheirs(s, Theirs(Content{})); }
void BM_LoginRsp_Unpack(benchmark::State& s) { UnpackOurs(s, Ours(Content{})); }
void BM_LoginRsp_ProtobufParse(benchmark::State& s) { ParseTheirs(s, Theirs(Content{})); }
void BM_ThreeStrings_Pack(benchmark::State& s) { PackOurs(s, OursSmall()); }
void BM_ThreeStrings_ProtobufSerialize(benchmark::State& s) { SerializeTheirs(s, TheirsSmall()); }
void BM_ThreeStrings_Unpack(benchmark::State& s) { UnpackOurs(s, OursSmall()); }
void BM_ThreeStrings_ProtobufParse(benchmark::State& s) { ParseTheirs(s, TheirsSmall()); }

BENCHMARK(BM_LoginRsp_Pack);
BENCHMARK(BM_LoginRsp_ProtobufSerialize);
BENCHMARK(BM_LoginRsp_Unpack);
BENCHMARK(BM_LoginRsp_ProtobufParse);
BENCHMARK(BM_ThreeStrings_Pack);
BENCHMARK(BM_ThreeStrings_ProtobufSerialize);
BENCHMARK(BM_ThreeStrings_Unpack);
BENCHMARK(BM_ThreeStrings_ProtobufParse);

}  // namespace
