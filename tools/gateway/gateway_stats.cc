#include "gateway_stats.h"

#include <nlohmann/json.hpp>

#include "hex.h"

namespace gateway {

std::string GatewayStats::ToJson() const {
  nlohmann::json json = {
      {"connections", connections},
      {"openConnections", openConnections},
      {"keepalives", keepalives},
      {"frames", frames},
      {"allotRequests", allotRequests},
      {"exchanges", exchanges},
      {"reconnectsAccepted", reconnectsAccepted},
      {"reconnectsRefused", reconnectsRefused},
      {"calls", nlohmann::json::object()},
  };
  for (const auto& [name, call] : calls) {
    json["calls"][name] = {{"count", call.count},
                           {"lastSeqId", call.lastSeqId},
                           {"lastSessionId", call.lastSessionId},
                           {"lastBody", ToHex(call.lastBody)}};
  }
  return json.dump();
}

}  // namespace gateway
