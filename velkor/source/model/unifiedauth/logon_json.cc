#include "logon_json.h"

#include <initializer_list>
#include <memory>
#include <utility>

#include "base/json.h"
#include "base/strings.h"

namespace logon {
namespace {

// Identify the second-factor application and function to the account service.
constexpr wchar_t kClientId[] = L"102";
constexpr wchar_t kFunctionId[] = L"80";
constexpr wchar_t kCheckTypePhone[] = L"phone";

using JsonTexts = std::initializer_list<std::pair<const char*, std::wstring_view>>;

// An object of string values, written without escaping non-ASCII text.
std::string WriteJsonObject(JsonTexts texts) {
  base::DictionaryValue object;
  for (const auto& [key, value] : texts) object.SetString(key, Utf8UpToNul(value));
  std::string json;
  base::JSONWriter::WriteWithOptions(object, base::JSONWriter::OPTIONS_DO_NOT_ESCAPE, &json);
  return json;
}

// The answer's object, or null when the text is not one.
std::unique_ptr<base::Value> ReadJsonObject(const std::string& json) {
  std::unique_ptr<base::Value> value(base::JSONReader::Read(json));
  if (!value || !value->AsDictionary()) return nullptr;
  return value;
}

void ReadFlag(const base::DictionaryValue& object, const char* key, bool* flag) {
  bool value = false;
  if (object.GetBoolean(key, &value)) *flag = value;
}

// A present key sets the text, to empty when its value is not a string.
void ReadText(const base::DictionaryValue& object, const char* key, std::wstring* text) {
  if (!object.HasKey(key)) return;
  std::string value;
  *text = object.GetString(key, &value) ? base::UTF8ToWide(value) : std::wstring();
}

}  // namespace

std::string Utf8UpToNul(std::wstring_view wide) {
  return base::WideToUTF8(wide.substr(0, wide.find(L'\0')));
}

std::wstring ShortUid(std::string_view utf8_uid) {
  constexpr size_t kHiddenPrefix = 8;
  std::u16string units = base::WideToUTF16(base::UTF8ToWide(utf8_uid));
  if (units.size() < kHiddenPrefix) return std::wstring();
  return base::UTF16ToWide(std::u16string_view(units).substr(kHiddenPrefix));
}

std::string Login2Json(std::wstring_view uid, std::wstring_view umid, std::wstring_view checkCode) {
  return WriteJsonObject({{"uid", uid},
                          {"clientID", kClientId},
                          {"functionID", kFunctionId},
                          {"umid", umid},
                          {"checkType", kCheckTypePhone},
                          {"checkCode", checkCode}});
}

std::string ProductsQueryJson(std::wstring_view uid) {
  return WriteJsonObject({{"uid", uid}, {"clientID", kClientId}, {"functionID", kFunctionId}});
}

std::string GenCodeJson(std::wstring_view uid) {
  return WriteJsonObject({{"uid", uid},
                          {"clientID", kClientId},
                          {"functionID", kFunctionId},
                          {"umid", L""},
                          {"checkType", kCheckTypePhone}});
}

uauth::ModelSecurityProductParam ReadSecurityProduct(const std::string& json) {
  uauth::ModelSecurityProductParam product;
  std::unique_ptr<base::Value> value = ReadJsonObject(json);
  if (!value) return product;
  const base::DictionaryValue& object = *value->AsDictionary();
  ReadFlag(object, "isSuccess", &product.isSuccess);
  ReadFlag(object, "phone", &product.phone);
  ReadFlag(object, "cert", &product.cert);
  ReadText(object, "phoneNo", &product.phoneNo);
  ReadText(object, "order", &product.order);
  return product;
}

uauth::ModelSecurityGenCodeParam ReadSecurityGenCode(const std::string& json) {
  uauth::ModelSecurityGenCodeParam gen_code;
  std::unique_ptr<base::Value> value = ReadJsonObject(json);
  if (!value) return gen_code;
  const base::DictionaryValue& object = *value->AsDictionary();
  ReadFlag(object, "isSuccess", &gen_code.isSuccess);
  ReadText(object, "checkType", &gen_code.checkType);
  ReadText(object, "message", &gen_code.message);
  return gen_code;
}

}  // namespace logon
