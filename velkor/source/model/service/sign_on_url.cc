#include "sign_on_url.h"

#include "base/strings.h"
#include "url_encode.h"

std::wstring WithQuerySeparator(std::wstring base_url) {
  size_t question = base_url.find(L'?');
  if (question == std::wstring::npos) {
    base_url += L'?';
  } else if (question + 1 == base_url.size()) {
    // The query starts right here.
  } else if (base_url.back() != L'&') {
    // Without an "&" the query has one value; with one (which the configured
    // pages never have) "&" still starts the next value unless it is there already.
    base_url += L'&';
  }
  return base_url;
}

std::wstring SignOnTimeText(const std::optional<int64_t>& server_time) {
  if (!server_time) return std::wstring();
  // Unsigned arithmetic: the largest server time wraps instead of overflowing.
  return std::to_wstring(static_cast<uint64_t>(*server_time) + 1);
}

std::wstring BuildSignOnUrl(const SignOnRequest& request) {
  std::wstring time = SignOnTimeText(request.server_time);
  std::wstring token = base::UTF8ToWide(
      base::MD5String(base::WideToUTF8(request.uid + time + request.sign_key)));
  std::wstring uid = UrlEncode(request.uid);
  return WithQuerySeparator(request.base_url) + L"uid=" + uid + L"&token=" + token +
         L"&act=SignIn&time=" + time + L"&asker=" + request.asker +
         L"&asker_version=" + request.asker_version + L"&defaulturl=" +
         UrlEncode(request.default_url) + L"&webpas=" + uid + request.web_pass_suffix;
}
