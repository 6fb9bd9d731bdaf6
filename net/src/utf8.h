#pragma once

#include <string>
#include <string_view>

namespace net::detail {

// UTF-8 form of a host-facing wide string (UTF-16 on Windows, UTF-32 elsewhere). Unpaired
// surrogates and values outside Unicode become U+FFFD; never throws on content.
std::string WideToUtf8(std::wstring_view wide);

}  // namespace net::detail
