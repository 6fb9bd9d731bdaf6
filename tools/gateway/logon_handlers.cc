// The account service's four logon calls, answered from the accounts file.
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "accounts.h"
#include "codec/pack_types.h"
#include "handlers.h"
#include "logon_json.h"
#include "logon_records.h"

namespace gateway {
namespace {

// Results of the account service besides those the client tells apart.
constexpr uint32_t kWrongPassword = 1;
constexpr uint32_t kUnknownAccount = 2;
constexpr uint32_t kBadRequest = 3;
constexpr uint32_t kNeedCheckCode = 8;
constexpr uint32_t kNeed2ndAuth = 9;
constexpr int32_t kUnknownBizToken = 6;

// Bytes that no logon answer unpacks from: an outer count of 0.
const std::string kUndecodable("\x00\x00", 2);

template <class Body>
std::optional<Reply> Answer(const Body& body) {
  logon::LogonResponse<Body> response;
  response.body = body;
  std::string payload;
  response.PackData(payload);
  return Reply{payload};
}

template <class Body>
std::optional<logon::LogonRequest<Body>> ReadRequest(const IncomingMessage& message) {
  logon::LogonRequest<Body> request;
  if (request.UnpackData(message.body) != codec::PACK_OK) return std::nullopt;
  return request;
}

logon::TokenMap LoginTokens(const Account& account) {
  logon::TokenMap tokens;
  logon::TokenEntry& entry = tokens[logon::kLoginTokenKey];
  entry.entryType = 1;
  entry.entryName = "login";
  entry.entryValue = account.loginToken;
  return tokens;
}

bool TokenMatches(const Account& account, const logon::LoginReq& login) {
  if (login.loginType == 0) return login.token == account.password;
  auto found = account.tokens.find(login.loginType);
  return found != account.tokens.end() && found->second == login.token;
}

bool CheckCodeMatches(const CheckCodeRule& rule, const logon::LoginReq& login) {
  auto value = [&](const char* key) {
    auto found = login.checkCodeInfo.find(key);
    return found == login.checkCodeInfo.end() ? std::string() : found->second;
  };
  return login.hasCheckCode == 1 && value("checkcode_sessionid") == rule.sessionId &&
         value("checkcode_code") == rule.code;
}

logon::LoginRsp Refused(uint32_t result, const std::string& errmsg) {
  logon::LoginRsp answer;
  answer.retcode = result;
  answer.extra["errmsg"] = errmsg;
  return answer;
}

std::optional<Reply> Login(ClientSession&, const IncomingMessage& message) {
  const auto request = ReadRequest<logon::LoginReq>(message);
  if (!request) return Answer(Refused(kBadRequest, "bad request"));
  const logon::LoginReq& login = request->body;
  const Account* account = GatewayAccounts().FindByLogin(login.uid);
  if (!account) return Answer(Refused(kUnknownAccount, "unknown account"));
  if (account->garbage) return Reply{kUndecodable};
  if (account->refuse) return Answer(Refused(account->refuse->result, account->refuse->errmsg));
  if (!TokenMatches(*account, login)) return Answer(Refused(kWrongPassword, "wrong password"));

  logon::LoginRsp answer;
  answer.uid = account->uid;
  answer.userId = account->userId;
  answer.serverTime = account->serverTime;
  if (account->checkCode && !CheckCodeMatches(*account->checkCode, login)) {
    answer.retcode = kNeedCheckCode;
    answer.extra["checkcode_url"] = account->checkCode->url;
    answer.extra["checkcode_sessionid"] = account->checkCode->sessionId;
  } else if (account->secondFactor) {
    answer.retcode = kNeed2ndAuth;
    answer.verifyHint = account->secondFactor->verifyHint;
    answer.secondFactorToken = account->secondFactor->token;
  } else {
    answer.tokens = LoginTokens(*account);
  }
  return Answer(answer);
}

// The account of a second-factor request, when its token is the one handed out.
const Account* SecondFactorAccount(const std::string& uid, const std::string& token) {
  const Account* account = GatewayAccounts().FindByUid(uid);
  if (!account || !account->secondFactor || account->secondFactor->token != token) return nullptr;
  return account;
}

std::optional<Reply> Login2(ClientSession&, const IncomingMessage& message) {
  const auto request = ReadRequest<logon::Login2Req>(message);
  logon::Login2Rsp answer;
  answer.retcode = kBadRequest;
  if (request) {
    const Account* account = SecondFactorAccount(request->body.uid, request->body.secondFactorToken);
    const nlohmann::json data = nlohmann::json::parse(request->body.data, nullptr, false);
    const bool codeMatches = account && data.is_object() && data.value("checkCode", "") == account->secondFactor->code;
    if (codeMatches) {
      answer.retcode = 0;
      answer.tokens = LoginTokens(*account);
    } else if (account) {
      answer.retcode = account->secondFactor->refuseResult;
    }
  }
  return Answer(answer);
}

std::optional<Reply> QueryAuthData(ClientSession&, const IncomingMessage& message) {
  const auto request = ReadRequest<logon::AuthDataReq>(message);
  logon::AuthDataRsp answer;
  answer.retcode = kBadRequest;
  if (!request) return Answer(answer);
  answer.type = request->body.type;
  const Account* account = SecondFactorAccount(request->body.uid, request->body.secondFactorToken);
  if (!account) return Answer(answer);
  const SecondFactorRule& rule = *account->secondFactor;
  if (answer.type == logon::kProductsQuery) {
    answer.retcode = rule.productsResult;
    answer.data = nlohmann::json{{"isSuccess", true}, {"phone", rule.phone}, {"cert", rule.cert},
                                 {"phoneNo", rule.phoneNo}, {"order", rule.order}}
                      .dump();
  } else if (answer.type == logon::kGenCode) {
    answer.retcode = rule.sendCodeResult;
    answer.data = nlohmann::json{{"isSuccess", true}, {"checkType", "phone"}, {"message", "code sent"}}.dump();
  }
  return Answer(answer);
}

std::optional<Reply> GetWebToken(ClientSession&, const IncomingMessage& message) {
  const auto request = ReadRequest<logon::BizTokenReq>(message);
  logon::BizTokenRsp answer;
  answer.retcode = static_cast<int32_t>(kBadRequest);
  const Account* account = request ? GatewayAccounts().FindByUid(request->body.uid) : nullptr;
  if (!account) return Answer(answer);
  auto found = account->webTokens.find(request->body.bizToken);
  if (found == account->webTokens.end()) {
    answer.retcode = kUnknownBizToken;
    return Answer(answer);
  }
  const WebToken& token = found->second;
  if (token.undecodable) return Reply{kUndecodable};
  answer.retcode = 0;
  answer.signKey = token.signKey;
  answer.webPassSuffix = token.webPassSuffix;
  answer.tokenExtra = token.tokenExtra;
  return Answer(answer);
}

const HandlerRegistration kLogin("LogonProxy", "login", Login);
const HandlerRegistration kLogin2("LogonProxy", "login2", Login2);
const HandlerRegistration kQueryAuthData("LogonProxy", "queryAuthData", QueryAuthData);
const HandlerRegistration kGetWebToken("LogonProxy", "getVendomoTokenByBizToken", GetWebToken);

}  // namespace
}  // namespace gateway
