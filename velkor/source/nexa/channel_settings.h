#pragma once

// The channel's time limits, heartbeat and connection factory. Production uses the
// defaults; tests shorten the times so that a heartbeat or a time-out takes milliseconds.

#include <cstdint>
#include <functional>
#include <string>

#include "net/net_connect.h"

namespace nexalib {

using ConnectionFactory =
    std::function<bool(net::INetConnect** out, net::INetConnectCallback* callback)>;

struct ChannelSettings {
  // A keepalive goes out when nothing was sent for this long while connected.
  int64_t heartbeatIntervalMs = 60000;
  // Added to every heartbeat delay, so that the check after an idle interval finds
  // it passed rather than a millisecond short.
  int64_t heartbeatSlackMs = 100;
  // Time limit of the channel's own calls: key exchange, fast reconnect, opening a
  // virtual connection.
  int32_t controlCallTimeoutMs = 5000;
  // Time limit of the address-service fetch.
  int32_t fetchTimeoutMs = 10000;
  // Base64 body of the gateway's PEM public key.
  std::string publicKeyBase64;
  ConnectionFactory createConnection;
};

// The production settings: the times above, the compiled-in public key and the
// network library's connections.
ChannelSettings DefaultChannelSettings();

}  // namespace nexalib
