#pragma once

#include <cstddef>
#include <string>

namespace net {

// Largest response body FetchUrl accepts.
inline constexpr std::size_t kFetchBodyLimit = 1024 * 1024;

// HTTP/1.1 GET of an "http://" URL (through the proxy set with SetProxy), finishing within
// `timeoutMs` milliseconds. Returns the HTTP status with the response body in `body`, or a
// value <= 0 for a transport failure (bad URL, no connection, time-out, a body over
// kFetchBodyLimit); `body` is then empty. Blocks the calling thread.
int FetchUrl(const std::wstring& url, int timeoutMs, std::string& body);

}  // namespace net
