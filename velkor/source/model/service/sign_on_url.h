// The sign-on URL: a login page that takes the user's identity from its query,
// signed with an MD5 token over uid, server time and sign key.
#ifndef VELKOR_SOURCE_MODEL_SERVICE_SIGN_ON_URL_H_
#define VELKOR_SOURCE_MODEL_SERVICE_SIGN_ON_URL_H_

#include <cstdint>
#include <optional>
#include <string>

struct SignOnRequest {
  std::wstring base_url;  // the configured login page
  std::wstring uid;
  std::wstring sign_key;  // signs only; never part of the URL
  std::wstring web_pass_suffix;
  std::optional<int64_t> server_time;  // seconds; none without a time service
  std::wstring asker;
  std::wstring asker_version;
  std::wstring default_url;  // where the login page leads on to
};

// The base URL with the separator its query needs before "uid=": "?" when it
// has no query, nothing when it ends in its first "?", "&" otherwise unless it
// already ends in "&".
std::wstring WithQuerySeparator(std::wstring base_url);

// The time text: server time + 1 as an unsigned decimal; empty without a time.
std::wstring SignOnTimeText(const std::optional<int64_t>& server_time);

std::wstring BuildSignOnUrl(const SignOnRequest& request);

#endif  // VELKOR_SOURCE_MODEL_SERVICE_SIGN_ON_URL_H_
