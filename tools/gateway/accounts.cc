#include "accounts.h"

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

namespace gateway {
namespace {

using nlohmann::json;

template <typename T>
T Value(const json& object, const char* key, T fallback) {
  auto found = object.find(key);
  return found == object.end() ? fallback : found->get<T>();
}

std::optional<CheckCodeRule> ReadCheckCode(const json& account) {
  auto found = account.find("checkCode");
  if (found == account.end()) return std::nullopt;
  return CheckCodeRule{Value<std::string>(*found, "code", ""), Value<std::string>(*found, "url", ""),
                       Value<std::string>(*found, "sessionId", "")};
}

std::optional<SecondFactorRule> ReadSecondFactor(const json& account) {
  auto found = account.find("secondFactor");
  if (found == account.end()) return std::nullopt;
  SecondFactorRule rule;
  rule.code = Value<std::string>(*found, "code", "");
  rule.verifyHint = Value<std::string>(*found, "verifyHint", "");
  rule.phoneNo = Value<std::string>(*found, "phoneNo", "");
  rule.phone = Value<bool>(*found, "phone", rule.phone);
  rule.cert = Value<bool>(*found, "cert", rule.cert);
  rule.order = Value<std::string>(*found, "order", "");
  rule.token = Value<std::string>(*found, "token", "");
  rule.refuseResult = Value<uint32_t>(*found, "refuseResult", rule.refuseResult);
  rule.productsResult = Value<uint32_t>(*found, "productsResult", 0);
  rule.sendCodeResult = Value<uint32_t>(*found, "sendCodeResult", 0);
  return rule;
}

Account ReadAccount(const json& object) {
  Account account;
  account.login = Value<std::string>(object, "login", "");
  account.password = Value<std::string>(object, "password", "");
  const json tokens = Value<json>(object, "tokens", json::object());
  for (const auto& [type, token] : tokens.items()) {
    account.tokens[std::stoi(type)] = token.get<std::string>();
  }
  account.uid = Value<std::string>(object, "uid", account.login);
  account.userId = Value<std::string>(object, "userId", "");
  account.loginToken = Value<std::string>(object, "loginToken", "");
  account.serverTime = Value<int64_t>(object, "serverTime", 0);
  account.checkCode = ReadCheckCode(object);
  account.secondFactor = ReadSecondFactor(object);
  const json webTokens = Value<json>(object, "webTokens", json::object());
  for (const auto& [bizToken, token] : webTokens.items()) {
    account.webTokens[bizToken] = WebToken{Value<std::string>(token, "signKey", ""),
                                           Value<std::string>(token, "webPassSuffix", ""),
                                           Value<int32_t>(token, "tokenExtra", 0),
                                           Value<bool>(token, "undecodable", false)};
  }
  if (auto refuse = object.find("refuse"); refuse != object.end()) {
    account.refuse = Refusal{Value<uint32_t>(*refuse, "result", 1), Value<std::string>(*refuse, "errmsg", "")};
  }
  account.garbage = Value<bool>(object, "garbage", false);
  return account;
}

}  // namespace

bool Accounts::Load(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "cannot read the accounts file " + path;
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  const json parsed = json::parse(text.str(), nullptr, /*allow_exceptions=*/false);
  if (!parsed.is_object() || !parsed.contains("accounts") || !parsed["accounts"].is_array()) {
    error = path + " is not an accounts file";
    return false;
  }
  std::vector<Account> accounts;
  try {
    for (const json& account : parsed["accounts"]) accounts.push_back(ReadAccount(account));
  } catch (const std::exception& e) {
    error = path + ": " + e.what();
    return false;
  }
  accounts_ = std::move(accounts);
  return true;
}

const Account* Accounts::FindByLogin(const std::string& login) const {
  for (const Account& account : accounts_) {
    if (account.login == login) return &account;
  }
  return nullptr;
}

const Account* Accounts::FindByUid(const std::string& uid) const {
  for (const Account& account : accounts_) {
    if (account.uid == uid) return &account;
  }
  return nullptr;
}

Accounts& GatewayAccounts() {
  static Accounts accounts;
  return accounts;
}

}  // namespace gateway
