#include <mutex>

#include "proxy_settings.h"
#include "utf8.h"

namespace net {
namespace detail {
namespace {

std::mutex g_proxyLock;
ProxySettings g_proxy;  // Guarded by g_proxyLock

// Decimal port 1..65535, or 0.
std::uint16_t ParsePort(const std::wstring& text) {
  if (text.empty() || text.size() > 5) return 0;
  unsigned value = 0;
  for (wchar_t c : text) {
    if (c < L'0' || c > L'9') return 0;
    value = value * 10 + static_cast<unsigned>(c - L'0');
  }
  return value <= 65535 ? static_cast<std::uint16_t>(value) : 0;
}

}  // namespace

ProxySettings MakeProxySettings(HTTP_CLIENT_RPOXY_TYPE type, const std::wstring& host,
                                const std::wstring& port, const std::wstring& user,
                                const std::wstring& password) {
  ProxySettings settings;
  if (type != PROXY_HTTP && type != PROXY_SOCKS5) return settings;
  settings.host = WideToUtf8(host);
  settings.port = ParsePort(port);
  if (settings.host.empty() || settings.port == 0) return {};
  settings.type = type;
  settings.user = WideToUtf8(user);
  settings.password = WideToUtf8(password);
  return settings;
}

ProxySettings CurrentProxy() {
  std::lock_guard lock(g_proxyLock);
  return g_proxy;
}

}  // namespace detail

void SetProxy(HTTP_CLIENT_RPOXY_TYPE type, const std::wstring& host, const std::wstring& port,
              const std::wstring& user, const std::wstring& password,
              const std::wstring& /*unused*/) {
  detail::ProxySettings settings = detail::MakeProxySettings(type, host, port, user, password);
  std::lock_guard lock(detail::g_proxyLock);
  detail::g_proxy = std::move(settings);
}

}  // namespace net
