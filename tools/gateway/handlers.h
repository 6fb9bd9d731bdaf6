#pragma once

// The gateway's calls, by interface and method. Every file that speaks a part of the
// protocol registers its handlers at start-up:
//
//   const gateway::HandlerRegistration kEcho("Echo", "echo",
//       [](gateway::ClientSession&, const gateway::IncomingMessage& message) {
//         return gateway::Reply{message.body};
//       });
//
// A request (callType 0) is answered with the reply's body; a handler that returns no
// reply leaves the request unanswered. Notifications get no answer either way.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "nexa/rpc_envelope.h"

namespace gateway {

class ClientSession;

struct IncomingMessage {
  int32_t sessionId = 0;
  nexalib::RpcEnvelope envelope;
  std::string body;
};

struct Reply {
  explicit Reply(std::string replyBody, std::optional<std::string> key = std::nullopt)
      : body(std::move(replyBody)), sessionKey(std::move(key)) {}

  std::string body;
  // When set, every later frame of the connection, in both directions, is encrypted with
  // this key; the reply itself still goes out as the request came.
  std::optional<std::string> sessionKey;
};

using Handler = std::function<std::optional<Reply>(ClientSession& session,
                                                    const IncomingMessage& message)>;

// A later registration of the same pair replaces the earlier one.
void RegisterHandler(std::string _interface, std::string _method, Handler handler);
// Null when nothing is registered for the pair.
const Handler* FindHandler(std::string_view _interface, std::string_view _method);

struct HandlerRegistration {
  HandlerRegistration(std::string _interface, std::string _method, Handler handler) {
    RegisterHandler(std::move(_interface), std::move(_method), std::move(handler));
  }
};

}  // namespace gateway
