#include "net/resolve.h"

#include <algorithm>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>

namespace net {

bool DomainToIpList(const std::string& name, std::vector<std::string>& addresses) {
  addresses.clear();
  if (name.empty()) return false;
  boost::asio::io_context context;
  boost::asio::ip::tcp::resolver resolver(context);
  boost::system::error_code error;
  // IPv4 only: callers keep addresses as "host:port" text, which has no room for the
  // colons of an IPv6 address.
  auto results = resolver.resolve(boost::asio::ip::tcp::v4(), name, "", error);
  if (error) return false;
  for (const auto& entry : results) {
    std::string text = entry.endpoint().address().to_string();
    if (std::find(addresses.begin(), addresses.end(), text) == addresses.end()) {
      addresses.push_back(std::move(text));
    }
  }
  return !addresses.empty();
}

}  // namespace net
