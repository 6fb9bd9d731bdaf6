#pragma once

#include <string>
#include <vector>

namespace net {

// Resolves a host name (UTF-8) into its IPv4 and IPv6 addresses as text, in resolver order,
// without duplicates. False, with `addresses` empty, when nothing resolves.
bool DomainToIpList(const std::string& name, std::vector<std::string>& addresses);

}  // namespace net
