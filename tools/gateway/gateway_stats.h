#pragma once

// What the gateway saw, for tests to read through its HTTP control ("/stats").

#include <cstdint>
#include <map>
#include <string>

namespace gateway {

struct CallStats {
  int count = 0;
  int64_t lastSeqId = 0;
  int32_t lastSessionId = 0;
  std::string lastBody;
};

struct GatewayStats {
  int connections = 0;      // accepted so far
  int openConnections = 0;
  int keepalives = 0;       // counted where they start a read; see ClientSession
  int frames = 0;
  int allotRequests = 0;
  int exchanges = 0;        // key exchanges answered with a session key
  int reconnectsAccepted = 0;
  int reconnectsRefused = 0;
  std::map<std::string, CallStats> calls;  // by "Interface/method"

  // {"connections":1,...,"calls":{"Echo/echo":{"count":2,"lastSeqId":4,
  //  "lastSessionId":3,"lastBody":"<hex>"}}}
  std::string ToJson() const;
};

}  // namespace gateway
