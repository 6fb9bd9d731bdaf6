#include <gtest/gtest.h>

#include <string>

#include "codec/hex.h"
#include "logon_json.h"
#include "logon_records.h"

namespace {

using codec_test::Hex;
using codec_test::ToHex;

logon::LoginReq SampleLogin() {
  logon::LoginReq login;
  login.uid = "ab";
  login.token = "pw";
  login.appVersion = "1";
  login.appKey = "COMM_x";
  login.authScheme = "cert";
  login.clientType = 8;
  return login;
}

// A LoginRsp of `count` fields: the 13 known ones, then strings.
std::string LoginRspBytes(int count) {
  // Gateway result, outer count 1, the body as a struct of `count` fields.
  std::string bytes = Hex("00 01 09");
  bytes.push_back(static_cast<char>(count));
  bytes += Hex("06 00  40 01 55  40 0B 31 32 33 34 35 36 37 38 39 30 41  08 00  08 E8 07  08 00"
               "40 00  40 00  40 01 68  40 00  40 02 73 66");
  if (count >= 12) bytes += Hex("0A 08 09 01  08  03 05 01 40 00 40 02 74 6B");
  if (count >= 13) bytes += Hex("0A 40 40 01  06 65 72 72 6D 73 67  01 21");
  for (int extra = 13; extra < count; ++extra) bytes += Hex("40 01 7A");
  return bytes;
}

TEST(LogonRequestTest, LoginWithoutCheckCodePacksEveryFieldAndTheRouteKey) {
  const std::string payload = logon::PackRequest(SampleLogin(), logon::kRouteByUid);
  EXPECT_EQ(ToHex(payload),
            ToHex(Hex("02 09 0B  02 00  40 02 61 62  40 02 70 77  40 01 31"
                      "40 06 43 4F 4D 4D 5F 78  40 04 63 65 72 74  02 00  08 08  08 00"
                      "0A 40 40 00  0A 40 40 00  40 03 75 69 64")));
}

TEST(LogonRequestTest, DeviceInfoEntriesFollowTheByteOrderOfTheirKeys) {
  logon::LoginReq login;
  login.deviceInfo = {{"veyradata", "UA"}, {"umid", "UD"}, {"machineid", "DS"}, {"mac", "MA"}};
  std::string packed;
  login.PackData(packed);
  // Map entries carry no descriptors: key length and bytes, value length and bytes.
  const std::string entries = Hex("0A 40 40 04  03 6D 61 63 02 4D 41"
                                  "09 6D 61 63 68 69 6E 65 69 64 02 44 53"
                                  "04 75 6D 69 64 02 55 44"
                                  "09 76 65 79 72 61 64 61 74 61 02 55 41");
  EXPECT_NE(packed.find(entries), std::string::npos) << ToHex(packed);
}

TEST(LogonRequestTest, CallsWithoutRouteKeyWriteCountOne) {
  logon::AuthDataReq query;
  query.type = logon::kProductsQuery;
  EXPECT_EQ(ToHex(logon::PackRequest(query)).substr(0, 8), "01 09 04");

  logon::BizTokenReq exchange;
  exchange.uid = "u";
  const std::string payload = logon::PackRequest(exchange);
  EXPECT_EQ(ToHex(payload), "01 09 04 40 01 75 40 00 40 00 05 D1 0F")
      << "bizType 2001 ends every token request";
}

TEST(LogonRequestTest, Login2PutsTheJsonSecondAndEndsWithTheRouteKey) {
  logon::Login2Req login2;
  login2.uid = "u";
  login2.data = "{}";
  login2.secondFactorToken = "t";
  EXPECT_EQ(ToHex(logon::PackRequest(login2, logon::kRouteByUid)),
            "02 09 04 40 01 75 40 02 7B 7D 40 00 40 01 74 40 03 75 69 64");
}

TEST(LogonResponseTest, LoginAnswersOfThirteenOrMoreFieldsUnpack) {
  for (int count : {13, 14, 20}) {
    logon::LogonResponse<logon::LoginRsp> response;
    ASSERT_EQ(response.UnpackData(LoginRspBytes(count)), codec::PACK_OK) << count;
    EXPECT_EQ(response.body.uid, "1234567890A");
    EXPECT_EQ(response.body.userId, "U");
    EXPECT_EQ(response.body.serverTime, 1000);
    EXPECT_EQ(response.body.verifyHint, "h");
    EXPECT_EQ(response.body.secondFactorToken, "sf");
    EXPECT_EQ(logon::LoginTokenOf(response.body.tokens), "tk");
    EXPECT_EQ(response.body.extra.at("errmsg"), "!");
  }
}

TEST(LogonResponseTest, MalformedAnswersFailWithTheCodecResult) {
  struct Case {
    const char* name;
    std::string bytes;
    int expected;
  };
  std::string int32_retcode = LoginRspBytes(13);
  int32_retcode[4] = static_cast<char>(codec::PT_INT32);
  const Case cases[] = {
      {"twelve fields", LoginRspBytes(12), codec::PACK_SHORT_DATA},
      {"retcode written as PT_INT32", int32_retcode, codec::PACK_TYPE_MISMATCH},
      {"empty payload", "", codec::PACK_SHORT_DATA},
      {"outer count 0", Hex("00 00"), codec::PACK_SHORT_DATA},
      {"outer field not a struct", Hex("00 01 40 00"), codec::PACK_TYPE_MISMATCH},
      {"cut inside the body", LoginRspBytes(13).substr(0, 30), codec::PACK_SHORT_DATA},
  };
  for (const Case& c : cases) {
    logon::LogonResponse<logon::LoginRsp> response;
    EXPECT_EQ(response.UnpackData(c.bytes), c.expected) << c.name;
  }
}

TEST(LogonResponseTest, NothingAfterTheBodyIsRead) {
  // Outer count 3, but only the body is there, followed by an unknown type code.
  std::string bytes = Hex("07 03 09 04 06 00 40 01 74 40 00 40 02 5B 5D FF FF");
  logon::LogonResponse<logon::AuthDataRsp> response;
  ASSERT_EQ(response.UnpackData(bytes), codec::PACK_OK);
  EXPECT_EQ(response.resultCode, 7u);
  EXPECT_EQ(response.body.type, "t");
  EXPECT_EQ(response.body.data, "[]");
}

TEST(LogonResponseTest, AnswersThatTheGatewayPacksReadBack) {
  logon::LogonResponse<logon::Login2Rsp> login2;
  login2.body.retcode = 0;
  login2.body.tokens[logon::kLoginTokenKey].entryValue = "v";
  login2.body.tokens[3].entryName = "n";
  std::string packed;
  login2.PackData(packed);
  logon::LogonResponse<logon::Login2Rsp> read;
  ASSERT_EQ(read.UnpackData(packed), codec::PACK_OK);
  EXPECT_EQ(logon::LoginTokenOf(read.body.tokens), "v");

  logon::LogonResponse<logon::BizTokenRsp> token;
  token.body.retcode = -3;
  token.body.webPassSuffix = "w";
  token.body.signKey = "k";
  token.body.tokenExtra = 9;
  packed.clear();
  token.PackData(packed);
  logon::LogonResponse<logon::BizTokenRsp> token_read;
  ASSERT_EQ(token_read.UnpackData(packed), codec::PACK_OK);
  EXPECT_EQ(token_read.body.retcode, -3);
  EXPECT_EQ(token_read.body.signKey, "k");
  EXPECT_EQ(token_read.body.webPassSuffix, "w");
  EXPECT_EQ(token_read.body.tokenExtra, 9);
}

TEST(LogonTokensTest, AnswerWithoutEntryEightHasNoLoginToken) {
  logon::TokenMap tokens;
  tokens[7].entryValue = "other";
  EXPECT_EQ(logon::LoginTokenOf(tokens), "");
}

TEST(LogonJsonTest, RequestTextsCarryTheirFixedKeys) {
  EXPECT_EQ(logon::Login2Json(L"uid1", L"um", L"4711"),
            R"({"checkCode":"4711","checkType":"phone","clientID":"102","functionID":"80",)"
            R"("uid":"uid1","umid":"um"})");
  EXPECT_EQ(logon::ProductsQueryJson(L"uid1"), R"({"clientID":"102","functionID":"80","uid":"uid1"})");
  EXPECT_EQ(logon::GenCodeJson(L"uid1"),
            R"({"checkType":"phone","clientID":"102","functionID":"80","uid":"uid1","umid":""})");
}

TEST(LogonJsonTest, RequestTextsCutAtNulAndKeepNonAsciiAsUtf8) {
  const std::wstring with_nul(L"ab\0cd", 5);
  EXPECT_EQ(logon::ProductsQueryJson(with_nul), R"({"clientID":"102","functionID":"80","uid":"ab"})");
  EXPECT_EQ(logon::ProductsQueryJson(L"\u00e9"),
            "{\"clientID\":\"102\",\"functionID\":\"80\",\"uid\":\"\xC3\xA9\"}");
}

TEST(LogonJsonTest, ProductAnswersFollowTheReadingRules) {
  struct Case {
    const char* json;
    bool isSuccess, phone, cert;
    const wchar_t* phoneNo;
    const wchar_t* order;
  };
  const Case cases[] = {
      {R"({"isSuccess":true,"phone":true,"cert":false,"phoneNo":"138","order":"p"})", true, true,
       false, L"138", L"p"},
      {"[]", false, false, false, L"", L""},
      {"not json", false, false, false, L"", L""},
      {R"({"phone":"yes","phoneNo":5,"order":null,"cert":1})", false, false, false, L"", L""},
      {R"({"cert":true})", false, false, true, L"", L""},
  };
  for (const Case& c : cases) {
    uauth::ModelSecurityProductParam product = logon::ReadSecurityProduct(c.json);
    EXPECT_EQ(product.isSuccess, c.isSuccess) << c.json;
    EXPECT_EQ(product.phone, c.phone) << c.json;
    EXPECT_EQ(product.cert, c.cert) << c.json;
    EXPECT_FALSE(product.reservedFlag);
    EXPECT_EQ(product.phoneNo, c.phoneNo) << c.json;
    EXPECT_EQ(product.order, c.order) << c.json;
    EXPECT_EQ(product.reservedText, L"");
  }
}

TEST(LogonJsonTest, GenCodeAnswersFollowTheReadingRules) {
  uauth::ModelSecurityGenCodeParam sent = logon::ReadSecurityGenCode(
      R"({"isSuccess":true,"checkType":"phone","message":"sent \u00e9"})");
  EXPECT_TRUE(sent.isSuccess);
  EXPECT_EQ(sent.checkType, L"phone");
  EXPECT_EQ(sent.message, L"sent \u00e9");

  uauth::ModelSecurityGenCodeParam odd = logon::ReadSecurityGenCode(R"({"isSuccess":"true","message":[]})");
  EXPECT_FALSE(odd.isSuccess);
  EXPECT_EQ(odd.message, L"");
}

TEST(LogonShortUidTest, TheFirstEightUtf16UnitsAreHidden) {
  EXPECT_EQ(logon::ShortUid("12345678abc"), L"abc");
  EXPECT_EQ(logon::ShortUid("1234567"), L"");
  EXPECT_EQ(logon::ShortUid("12345678"), L"");
  // U+1F600 takes two UTF-16 units, so only six more characters are hidden.
  EXPECT_EQ(logon::ShortUid("\xF0\x9F\x98\x80" "123456xy"), L"xy");
}

}  // namespace
