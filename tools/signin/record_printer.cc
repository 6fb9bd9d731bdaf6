#include "record_printer.h"

#include <initializer_list>
#include <utility>

#include "base/strings.h"

namespace signin {
namespace {

using Fields = std::initializer_list<std::pair<const char*, std::string>>;

std::string Line(const char* record, Fields fields) {
  std::string line = std::string("[") + record + "]";
  for (const auto& [name, value] : fields) line += std::string(" ") + name + "=" + value;
  return line;
}

std::string Text(const std::wstring& text) { return "\"" + base::WideToUTF8(text) + "\""; }
std::string Secret(const std::wstring& text) { return "<" + std::to_string(text.size()) + " characters>"; }
std::string Flag(bool flag) { return flag ? "true" : "false"; }

}  // namespace

std::string Describe(const uauth::ModelAuthOkParam& r) {
  return Line("ModelAuthOkParam", {{"shortUid", Text(r.shortUid)},
                                   {"userId", Text(r.userId)},
                                   {"loginToken", Secret(r.loginToken)},
                                   {"machineId", Text(r.machineId)},
                                   {"adapterDigest", Text(r.adapterDigest)},
                                   {"uaData", Secret(r.uaData)},
                                   {"serverTime", std::to_string(r.serverTime)}});
}

std::string Describe(const uauth::ModelNeedCheckCodeParam& r) {
  return Line("ModelNeedCheckCodeParam", {{"checkCodeUrl", Text(r.checkCodeUrl)}});
}

std::string Describe(const uauth::ModelNeed2ndAuthParam& r) {
  return Line("ModelNeed2ndAuthParam", {{"shortUid", Text(r.shortUid)},
                                        {"userId", Text(r.userId)},
                                        {"verifyHint", Text(r.verifyHint)},
                                        {"serverTime", std::to_string(r.serverTime)}});
}

std::string Describe(const uauth::ModelSecurityProductParam& r) {
  return Line("ModelSecurityProductParam", {{"isSuccess", Flag(r.isSuccess)},
                                            {"phone", Flag(r.phone)},
                                            {"cert", Flag(r.cert)},
                                            {"phoneNo", Text(r.phoneNo)},
                                            {"order", Text(r.order)}});
}

std::string Describe(const uauth::ModelSecurityGenCodeParam& r) {
  return Line("ModelSecurityGenCodeParam",
              {{"isSuccess", Flag(r.isSuccess)}, {"checkType", Text(r.checkType)}, {"message", Text(r.message)}});
}

std::string Describe(const uauth::ModelVendomoTokenParam& r) {
  return Line("ModelVendomoTokenParam", {{"signKey", Secret(r.signKey)},
                                         {"webPassSuffix", Text(r.webPassSuffix)},
                                         {"tokenExtra", std::to_string(r.tokenExtra)}});
}

std::string Describe(const uauth::ModelNetDisConnectParam&) { return Line("ModelNetDisConnectParam", {}); }

std::string Describe(const char* name, const uauth::ModelFailParam& r) {
  return Line(name, {{"code", std::to_string(r.code)}, {"message", Text(r.message)}});
}

}  // namespace signin
