#pragma once

// The texts behind the channel's address list: the address service's answer, the saved
// server file and the "host:port" entries themselves. Entries are wide strings; one
// without a colon, or with the colon first, is a host name without port.

#include <deque>
#include <string>
#include <string_view>

namespace nexalib {

using AddressList = std::deque<std::wstring>;

// The saved server file keeps at most this many servers.
inline constexpr size_t kMaxSavedServers = 5;

struct ServerAddress {
  std::wstring host;
  int port = 0;
};

// Appends the comma-separated tokens of `text`, which ends at its first NUL; runs of
// commas produce no empty tokens.
void AppendAllotTokens(AddressList& list, std::wstring_view text);

// Appends the non-empty "\n"-separated lines of a saved server file.
void AppendSavedServers(AddressList& list, std::wstring_view text);

// True for a host name that has to be resolved first.
bool IsHostName(std::wstring_view entry);

// Splits an entry at its first colon. A port that is not a number gives what parsing
// leaves of it, usually 0, which callers pass over.
ServerAddress SplitAddress(std::wstring_view entry);

std::wstring JoinAddress(std::wstring_view host, int port);

// The saved server file for `list`: the entries that differ from `defaultServer`, front
// first, at most kMaxSavedServers, each followed by "\n".
std::wstring SavedServerText(const AddressList& list, std::wstring_view defaultServer);

// The address-service URL from its template: the first two "%ls" become empty and "%%"
// becomes "%"; every other character stays as it is, so the template is never handed to
// a formatter.
std::wstring FormatAllotUrl(std::wstring_view urlTemplate);

}  // namespace nexalib
