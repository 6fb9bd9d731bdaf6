#include <ifaddrs.h>
#include <net/if.h>
#include <netpacket/packet.h>

#include <cstring>
#include <string>

#include "adapter_address.h"

std::optional<AdapterAddress> ReadAdapterAddress() {
  ifaddrs* interfaces = nullptr;
  if (getifaddrs(&interfaces) != 0) return std::nullopt;
  std::optional<AdapterAddress> first;
  std::string first_name;
  for (ifaddrs* entry = interfaces; entry; entry = entry->ifa_next) {
    if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_PACKET) continue;
    if (entry->ifa_flags & IFF_LOOPBACK) continue;
    const auto* link = reinterpret_cast<const sockaddr_ll*>(entry->ifa_addr);
    if (link->sll_halen != 6) continue;
    // getifaddrs lists interfaces in the kernel's order; the name order is stable
    // across reboots and hardware changes.
    if (first && first_name <= entry->ifa_name) continue;
    AdapterAddress address;
    std::memcpy(address.data(), link->sll_addr, address.size());
    first = address;
    first_name = entry->ifa_name;
  }
  freeifaddrs(interfaces);
  return first;
}
