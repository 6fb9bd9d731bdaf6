#include "sign_on_url.h"

#include <gtest/gtest.h>

#include <string>

#include "base/strings.h"
#include "url_encode.h"

namespace {

std::wstring Md5(const std::string& text) { return base::UTF8ToWide(base::MD5String(text)); }

// One input text and the text it must turn into.
struct TextCase {
  std::wstring input;
  std::wstring expected;
};

TEST(UrlEncodeTest, ReservedAndNonAsciiBytesAreEscapedTheRestKept) {
  const TextCase cases[] = {
      {L"a b", L"a%20b"},
      {L"\u00e9", L"%c3%a9"},
      {L"a/b?c=d e", L"a%2fb%3fc%3dd%20e"},
      {L"+", L"%2b"},
      {L" \"#%&+/:<=>?[\\]^`{|}",
       L"%20%22%23%25%26%2b%2f%3a%3c%3d%3e%3f%5b%5c%5d%5e%60%7b%7c%7d"},
      {L"Jean-Luc_O'Neil.~!*(),;@$", L"Jean-Luc_O'Neil.~!*(),;@$"},
      {L"tab\there\x7f", L"tab\there\x7f"},
      {L"\U0001F600", L"%f0%9f%98%80"},
      {L"", L""},
  };
  for (const TextCase& c : cases) EXPECT_EQ(UrlEncode(c.input), c.expected) << c.expected;
}

TEST(SignOnUrlTest, SeparatorDependsOnTheBaseUrlsQuery) {
  const TextCase cases[] = {
      {L"http://h/p", L"http://h/p?"},
      {L"http://h/p?", L"http://h/p?"},
      {L"http://h/p?x=1", L"http://h/p?x=1&"},
      {L"http://h/p?x=1&y=2", L"http://h/p?x=1&y=2&"},
      {L"http://h/p?x=1&", L"http://h/p?x=1&"},
      {L"", L"?"},
  };
  for (const TextCase& c : cases) EXPECT_EQ(WithQuerySeparator(c.input), c.expected) << c.input;
}

TEST(SignOnUrlTest, TimeIsServerTimePlusOneUnsigned) {
  EXPECT_EQ(SignOnTimeText(1000), L"1001");
  EXPECT_EQ(SignOnTimeText(0), L"1");
  EXPECT_EQ(SignOnTimeText(-2), L"18446744073709551615");
  EXPECT_EQ(SignOnTimeText(INT64_MAX), L"9223372036854775808");
  EXPECT_EQ(SignOnTimeText(std::nullopt), L"");
}

TEST(SignOnUrlTest, QueryCarriesEncodedValuesAndTheToken) {
  SignOnRequest request;
  request.base_url = L"https://login.test/member/loginByIm.do?_input_charset=utf-8";
  request.uid = L"a+b c";
  request.sign_key = L"key";
  request.web_pass_suffix = L"/sfx?=";
  request.server_time = 1000;
  request.asker = L"Host";
  request.asker_version = L"1.2";
  request.default_url = L"a/b?c=d e";
  EXPECT_EQ(BuildSignOnUrl(request),
            L"https://login.test/member/loginByIm.do?_input_charset=utf-8&uid=a%2bb%20c&token=" +
                Md5("a+b c1001key") +
                L"&act=SignIn&time=1001&asker=Host&asker_version=1.2"
                L"&defaulturl=a%2fb%3fc%3dd%20e&webpas=a%2bb%20c/sfx?=");
}

TEST(SignOnUrlTest, WithoutTimeOrCredentialsTheQueryStaysWellFormed) {
  SignOnRequest request;
  request.uid = L"\u00e9";
  request.sign_key = L"k";
  EXPECT_EQ(BuildSignOnUrl(request), L"?uid=%c3%a9&token=" + Md5("\xc3\xa9k") +
                                         L"&act=SignIn&time=&asker=&asker_version=&defaulturl="
                                         L"&webpas=%c3%a9");
  SignOnRequest empty;
  empty.web_pass_suffix = L"suffix";
  EXPECT_EQ(BuildSignOnUrl(empty), L"?uid=&token=" + Md5("") +
                                       L"&act=SignIn&time=&asker=&asker_version=&defaulturl="
                                       L"&webpas=suffix");
}

}  // namespace
