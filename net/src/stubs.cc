// Placeholder until the connection, fetch, resolver and proxy land.
#include "net/net.h"

namespace net {
bool CreateNetConnect(INetConnect** out, INetConnectCallback*) {
  if (out != nullptr) *out = nullptr;
  return false;
}
int FetchUrl(const std::wstring&, int, std::string& body) {
  body.clear();
  return -1;
}
bool DomainToIpList(const std::string&, std::vector<std::string>& addresses) {
  addresses.clear();
  return false;
}
void SetProxy(HTTP_CLIENT_RPOXY_TYPE, const std::wstring&, const std::wstring&,
              const std::wstring&, const std::wstring&, const std::wstring&) {}
}  // namespace net
