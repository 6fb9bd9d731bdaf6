// The proxy that the channel's connections and address fetches go through.
#ifndef VELKOR_INCLUDE_NEXALIB_NET_PROXY_H_
#define VELKOR_INCLUDE_NEXALIB_NET_PROXY_H_

#include "net/proxy.h"
#include "zeph/zeph_com.h"

namespace nexalib {

// Handed to the network library as it is: host, port in decimal, user, password
// and one unused string.
struct NetProxy {
  net::HTTP_CLIENT_RPOXY_TYPE type = net::PROXY_NONE;
  zeph::ZephStringT<wchar_t> host;
  zeph::ZephStringT<wchar_t> port;
  zeph::ZephStringT<wchar_t> user;
  zeph::ZephStringT<wchar_t> password;
  zeph::ZephStringT<wchar_t> unused;
};

}  // namespace nexalib

#endif  // VELKOR_INCLUDE_NEXALIB_NET_PROXY_H_
