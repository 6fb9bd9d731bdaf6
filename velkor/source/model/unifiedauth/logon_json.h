// The JSON texts that logon requests carry and that second-factor answers
// return, and the string conversions the logon fields follow.
#ifndef VELKOR_SOURCE_MODEL_UNIFIEDAUTH_LOGON_JSON_H_
#define VELKOR_SOURCE_MODEL_UNIFIEDAUTH_LOGON_JSON_H_

#include <string>
#include <string_view>

#include "uauth/auth_records.h"

namespace logon {

// The two queries of "queryAuthData", by the text of its `type` field.
inline constexpr char kProductsQuery[] = "productsQuery";
inline constexpr char kGenCode[] = "genCode";

// UTF-8 of `wide` up to its first NUL character.
std::string Utf8UpToNul(std::wstring_view wide);

// `uid` without its first 8 UTF-16 units (empty when it has fewer), for the
// shortUid of the records.
std::wstring ShortUid(std::string_view utf8_uid);

// Request texts; `uid` is the account's uid from the last login answer.
std::string Login2Json(std::wstring_view uid, std::wstring_view umid, std::wstring_view checkCode);
std::string ProductsQueryJson(std::wstring_view uid);
std::string GenCodeJson(std::wstring_view uid);

// Answer texts. Text that is not a JSON object gives a record of defaults; a key
// of the wrong type leaves its flag false or its string empty.
uauth::ModelSecurityProductParam ReadSecurityProduct(const std::string& json);
uauth::ModelSecurityGenCodeParam ReadSecurityGenCode(const std::string& json);

}  // namespace logon

#endif  // VELKOR_SOURCE_MODEL_UNIFIEDAUTH_LOGON_JSON_H_
