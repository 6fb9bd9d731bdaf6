#pragma once

// The account service behind the gateway's logon calls, read from a JSON file:
//
//   {"accounts": [{
//     "login": "alice", "password": "alice-secret",   // what the host types
//     "tokens": {"3": "alice-token"},                 // token logins: login type -> token
//     "uid": "cnvantlealice", "userId": "1001",       // what the answers carry
//     "loginToken": "lt-alice", "serverTime": 1760000000,
//     "checkCode": {"code": "4711", "url": "http://127.0.0.1/cc.png", "sessionId": "cc-1"},
//     "secondFactor": {"code": "246810", "verifyHint": "phone", "phoneNo": "138****1234",
//                      "phone": true, "cert": false, "order": "phone", "token": "sf-alice",
//                      "refuseResult": 5, "productsResult": 0, "sendCodeResult": 0},
//     "webTokens": {"biz-1": {"signKey": "k1", "webPassSuffix": "w1", "tokenExtra": 7},
//                   "biz-bad": {"undecodable": true}},
//     "refuse": {"result": 4, "errmsg": "account locked"},  // every login refused
//     "garbage": true                                       // logins answered with bytes that do not unpack
//   }]}

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace gateway {

struct CheckCodeRule {
  std::string code;
  std::string url;
  std::string sessionId;
};

struct SecondFactorRule {
  std::string code;
  std::string verifyHint;
  std::string phoneNo;
  bool phone = true;
  bool cert = false;
  std::string order;
  std::string token;  // the second-factor token of the login answer
  uint32_t refuseResult = 5;
  uint32_t productsResult = 0;
  uint32_t sendCodeResult = 0;
};

struct WebToken {
  std::string signKey;
  std::string webPassSuffix;
  int32_t tokenExtra = 0;
  bool undecodable = false;
};

struct Refusal {
  uint32_t result = 0;
  std::string errmsg;
};

struct Account {
  std::string login;
  std::string password;
  std::map<int, std::string> tokens;
  std::string uid;
  std::string userId;
  std::string loginToken;
  int64_t serverTime = 0;
  std::optional<CheckCodeRule> checkCode;
  std::optional<SecondFactorRule> secondFactor;
  std::map<std::string, WebToken> webTokens;
  std::optional<Refusal> refuse;
  bool garbage = false;
};

class Accounts {
 public:
  // Replaces the accounts with those of `path`; false, with `error` set, when the
  // file cannot be read or is not an accounts file.
  [[nodiscard]] bool Load(const std::string& path, std::string& error);

  // By what the host types, and by the uid of the answers.
  const Account* FindByLogin(const std::string& login) const;
  const Account* FindByUid(const std::string& uid) const;

 private:
  std::vector<Account> accounts_;
};

// The gateway's accounts, read by main from "--accounts=PATH"; empty without one.
Accounts& GatewayAccounts();

}  // namespace gateway
