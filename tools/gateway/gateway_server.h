#pragma once

// The gateway: accepts channel connections, keeps the fast-reconnect table shared by all
// of them, and carries the control side's pushes and drops to the connected clients.

#include <boost/asio/ip/tcp.hpp>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "control_file.h"
#include "gateway_stats.h"
#include "rsa_private_key.h"

namespace gateway {

class ClientSession;

class GatewayServer {
 public:
  GatewayServer(boost::asio::io_context& io, ControlFile& control, const RsaPrivateKey& key);
  GatewayServer(const GatewayServer&) = delete;
  GatewayServer& operator=(const GatewayServer&) = delete;

  // Listens on 127.0.0.1:`port` (0: any free port) and starts accepting.
  [[nodiscard]] bool Listen(int port, std::string& error);
  int port() const;

  const FaultSettings& Faults() { return control_.Current(); }
  GatewayStats& stats() { return stats_; }
  const RsaPrivateKey& privateKey() const { return key_; }

  // Remembers a settled session key for fast reconnects; returns its reconnectId.
  int32_t RememberSession(const std::string& token, const std::string& sessionKey);
  // The session key of `reconnectId` when `token` matches.
  std::optional<std::string> SessionKeyFor(int32_t reconnectId, std::string_view token) const;

  // Sends a push to every client that finished its key exchange; returns how many.
  int PushToEstablished(int32_t sessionId, std::string_view _interface,
                        std::string_view _method, std::string_view body);
  // Closes every client connection.
  void DropAll();
  // Called by a session that closed.
  void Forget(ClientSession* session);

 private:
  struct SavedSession {
    std::string token;
    std::string sessionKey;
  };

  ControlFile& control_;
  const RsaPrivateKey& key_;
  boost::asio::ip::tcp::acceptor acceptor_;
  std::map<ClientSession*, std::shared_ptr<ClientSession>> sessions_;
  std::map<int32_t, SavedSession> saved_sessions_;
  int32_t next_reconnect_id_ = 1000;
  GatewayStats stats_;
};

}  // namespace gateway
