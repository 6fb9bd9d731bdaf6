#include "nexa/server_list.h"

#include "base/strings.h"

namespace nexalib {
namespace {

void AppendTokens(AddressList& list, std::wstring_view text, wchar_t separator) {
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find(separator, pos);
    if (end == std::wstring_view::npos) end = text.size();
    if (end > pos) list.emplace_back(text.substr(pos, end - pos));
    pos = end + 1;
  }
}

}  // namespace

void AppendAllotTokens(AddressList& list, std::wstring_view text) {
  AppendTokens(list, text.substr(0, text.find(L'\0')), L',');
}

void AppendSavedServers(AddressList& list, std::wstring_view text) {
  AppendTokens(list, text, L'\n');
}

bool IsHostName(std::wstring_view entry) {
  const size_t colon = entry.find(L':');
  return colon == std::wstring_view::npos || colon == 0;
}

ServerAddress SplitAddress(std::wstring_view entry) {
  const size_t colon = entry.find(L':');
  ServerAddress address;
  address.host = entry.substr(0, colon);
  if (colon != std::wstring_view::npos) {
    (void)base::StringToInt(base::WideToUTF8(entry.substr(colon + 1)), &address.port);
  }
  return address;
}

std::wstring JoinAddress(std::wstring_view host, int port) {
  return std::wstring(host) + L":" + std::to_wstring(port);
}

std::wstring SavedServerText(const AddressList& list, std::wstring_view defaultServer) {
  std::wstring text;
  size_t saved = 0;
  for (const std::wstring& entry : list) {
    if (saved == kMaxSavedServers) break;
    if (entry == defaultServer) continue;
    text += entry;
    text += L'\n';
    ++saved;
  }
  return text;
}

std::wstring FormatAllotUrl(std::wstring_view urlTemplate) {
  constexpr std::wstring_view kPlaceholder = L"%ls";
  std::wstring url;
  int placeholders = 0;
  for (size_t pos = 0; pos < urlTemplate.size();) {
    const std::wstring_view rest = urlTemplate.substr(pos);
    if (placeholders < 2 && rest.starts_with(kPlaceholder)) {
      ++placeholders;
      pos += kPlaceholder.size();
    } else if (rest.starts_with(L"%%")) {
      url += L'%';
      pos += 2;
    } else {
      url += rest.front();
      ++pos;
    }
  }
  return url;
}

}  // namespace nexalib
