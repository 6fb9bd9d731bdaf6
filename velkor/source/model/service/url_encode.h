// Percent-encoding of query values for the sign-on URL.
#ifndef VELKOR_SOURCE_MODEL_SERVICE_URL_ENCODE_H_
#define VELKOR_SOURCE_MODEL_SERVICE_URL_ENCODE_H_

#include <string>
#include <string_view>

// Encodes the UTF-8 form of `text`: bytes 0x80-0xFF and the reserved characters
// (space " # % & + / : < = > ? [ \ ] ^ ` { | }) become "%xx" with lower-case
// digits; every other byte stays. "a b" gives "a%20b", U+00E9 gives "%c3%a9".
std::wstring UrlEncode(std::wstring_view text);

#endif  // VELKOR_SOURCE_MODEL_SERVICE_URL_ENCODE_H_
