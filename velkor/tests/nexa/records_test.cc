#include <gtest/gtest.h>

#include <string>

#include "codec/hex.h"
#include "nexa/control_records.h"
#include "nexa/rpc_envelope.h"

namespace nexalib {
namespace {

using codec_test::Hex;
using codec_test::ToHex;

template <class Record>
std::string Packed(const Record& record) {
  std::string out;
  record.PackData(out);
  return out;
}

template <class Record>
int UnpackAs(const std::string& in) {
  Record record;
  return record.UnpackData(in);
}

RpcEnvelope Envelope(std::string _interface, std::string _method, uint8_t callType,
                     int64_t seqId) {
  RpcEnvelope envelope;
  envelope._interface = std::move(_interface);
  envelope._method = std::move(_method);
  envelope.callType = callType;
  envelope.seqId = seqId;
  return envelope;
}

TEST(RpcEnvelope, CountFollowsTheLastFieldOffItsDefaultButKeepsTheInterface) {
  RpcEnvelope withExt = Envelope("i", "m", kCallNotify, 0);
  withExt.ext = "e";
  RpcEnvelope withProps = Envelope("i", "", kCallRequest, 0);
  withProps.props = {{"k", "v"}};
  const struct {
    const char* name;
    RpcEnvelope envelope;
    const char* bytes;
  } cases[] = {
      {"request", Envelope("i", "m", kCallRequest, 0), "03 40 01 69 40 01 6D 02 00"},
      {"request with seqId", Envelope("i", "m", kCallRequest, 300),
       "04 40 01 69 40 01 6D 02 00 08 AC 02"},
      {"response", Envelope("i", "m", kCallResponse, 0), "03 40 01 69 40 01 6D 02 01"},
      {"notification", Envelope("i", "m", kCallNotify, 0), "02 40 01 69 40 01 6D"},
      {"notification without method", Envelope("i", "", kCallNotify, 0), "01 40 01 69"},
      {"empty notification", Envelope("", "", kCallNotify, 0), "01 40 00"},
      {"notification with seqId", Envelope("i", "", kCallNotify, 1), "04 40 01 69 40 00 02 02 08 01"},
      {"ext", withExt, "05 40 01 69 40 01 6D 02 02 08 00 40 01 65"},
      {"props", withProps, "06 40 01 69 40 00 02 00 08 00 40 00 0A 40 40 01 01 6B 01 76"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string bytes = Packed(c.envelope);
    EXPECT_EQ(ToHex(bytes), c.bytes);
    RpcEnvelope read;
    EXPECT_EQ(read.UnpackData(bytes), codec::PACK_OK);
    EXPECT_EQ(read, c.envelope);
  }
}

TEST(RpcEnvelope, UnpacksShortAndLongEnvelopes) {
  RpcEnvelope interfaceOnly;
  ASSERT_EQ(interfaceOnly.UnpackData(Hex("01 40 02 7A 71")), codec::PACK_OK);
  EXPECT_EQ(interfaceOnly, Envelope("zq", "", kCallNotify, 0));

  // Seven fields, the seventh unknown; the props map described with other child codes.
  RpcEnvelope seven;
  ASSERT_EQ(seven.UnpackData(Hex("07 40 01 69 40 00 02 01 08 05 40 00 0A 08 08 00 0D 01 02 03 04 05 "
                                 "06 07 08 AB")),
            codec::PACK_OK);
  EXPECT_EQ(seven, Envelope("i", "", kCallResponse, 5));
  EXPECT_EQ(seven.ReadPosition(), 25u) << "the body starts after the envelope";

  RpcEnvelope read;
  EXPECT_EQ(read.UnpackData(Hex("00")), codec::PACK_SHORT_DATA);
  EXPECT_EQ(read.UnpackData(Hex("03 40 00 40 00 05 01")), codec::PACK_TYPE_MISMATCH);
}

TEST(WrappedString, WrapsAndUnwrapsBodies) {
  EXPECT_TRUE(IsWrappedBody("zq", "s"));
  EXPECT_FALSE(IsWrappedBody("zq", "t"));
  EXPECT_FALSE(IsWrappedBody("z", "s"));
  EXPECT_EQ(ToHex(WrapBody("ab")), "01 40 02 61 62");
  EXPECT_EQ(UnwrapBody(Hex("01 40 02 61 62")), "ab");
  EXPECT_EQ(UnwrapBody(Hex("02 40 02 61 62 05 01")), "ab") << "extra fields are skipped";
  EXPECT_EQ(UnwrapBody(Hex("00")), "") << "count 0 fails";
  EXPECT_EQ(UnwrapBody(Hex("01 40 05 61")), "");
}

TEST(ControlRecords, PackToTheirWireForm) {
  ExchangeKeyReq exchange;
  exchange.encryptedClientKey = "\x01\x02";
  FastReconnectReq reconnect;
  reconnect.reconnectId = -1;
  reconnect.reconnectToken = "t";
  CreateVConnReq create;
  create.clusterName = "c";
  create.allotKey = "k";
  DestroyVConnReq destroyZero;
  DestroyVConnReq destroy;
  destroy.sessionId = 3;
  ExchangeKeyRsp exchanged;
  exchanged.encryptedSessionKey = "s";
  exchanged.reconnectId = 7;
  exchanged.reconnectToken = "t";
  ResultCodeRsp result;
  result.resultCode = 2;

  EXPECT_EQ(ToHex(Packed(exchange)), "01 40 02 01 02");
  EXPECT_EQ(ToHex(Packed(reconnect)), "02 05 FF FF FF FF 0F 40 01 74");
  EXPECT_EQ(ToHex(Packed(create)), "03 40 01 63 40 00 40 01 6B");
  EXPECT_EQ(ToHex(Packed(destroyZero)), "00");
  EXPECT_EQ(ToHex(Packed(destroy)), "01 05 03");
  EXPECT_EQ(ToHex(Packed(exchanged)), "00 03 40 01 73 05 07 40 01 74");
  EXPECT_EQ(ToHex(Packed(result)), "02");
}

TEST(ControlRecords, UnpackWithTheirCountRules) {
  const struct {
    const char* name;
    int (*unpack)(const std::string&);
    std::string bytes;
    int result;
  } cases[] = {
      {"exchange answer with a failing code still unpacks", &UnpackAs<ExchangeKeyRsp>,
       Hex("05 03 40 01 73 05 07 40 01 74"), codec::PACK_OK},
      {"exchange answer with extra fields", &UnpackAs<ExchangeKeyRsp>,
       Hex("00 04 40 01 73 05 07 40 01 74 08 01"), codec::PACK_OK},
      {"exchange answer with two fields", &UnpackAs<ExchangeKeyRsp>, Hex("00 02 40 01 73 05 07"),
       codec::PACK_SHORT_DATA},
      {"exchange answer without record", &UnpackAs<ExchangeKeyRsp>, Hex("00"), codec::PACK_SHORT_DATA},
      {"result code followed by a record", &UnpackAs<ResultCodeRsp>, Hex("00 01 40 00"), codec::PACK_OK},
      {"empty result", &UnpackAs<ResultCodeRsp>, "", codec::PACK_SHORT_DATA},
      {"stop push without code", &UnpackAs<DestroyVConnReq>, Hex("00"), codec::PACK_OK},
      {"stop push with code", &UnpackAs<DestroyVConnReq>, Hex("01 05 09"), codec::PACK_OK},
      {"stop push with another code", &UnpackAs<DestroyVConnReq>, Hex("01 08 09"),
       codec::PACK_TYPE_MISMATCH},
      {"empty stop push", &UnpackAs<DestroyVConnReq>, "", codec::PACK_SHORT_DATA},
      {"renew push", &UnpackAs<RenewLoginSessionPush>, Hex("03 05 01 40 00 40 00"), codec::PACK_OK},
      {"renew push with one field", &UnpackAs<RenewLoginSessionPush>, Hex("01 05 01"),
       codec::PACK_SHORT_DATA},
      {"reconnect request", &UnpackAs<FastReconnectReq>, Hex("02 05 01 40 00"), codec::PACK_OK},
      {"vconn request with two fields", &UnpackAs<CreateVConnReq>, Hex("02 40 00 40 00"),
       codec::PACK_SHORT_DATA},
  };
  for (const auto& c : cases) EXPECT_EQ(c.unpack(c.bytes), c.result) << c.name;

  DestroyVConnReq stop;
  ASSERT_EQ(stop.UnpackData(Hex("01 05 09")), codec::PACK_OK);
  EXPECT_EQ(stop.sessionId, 9);
  ResultCodeRsp result;
  ASSERT_EQ(result.UnpackData(Hex("FF FF FF FF 0F")), codec::PACK_OK);
  EXPECT_EQ(result.resultCode, -1);
}

}  // namespace
}  // namespace nexalib
