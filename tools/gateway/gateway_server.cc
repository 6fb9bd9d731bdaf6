#include "gateway_server.h"
#include "loopback_acceptor.h"

#include <vector>

#include "client_session.h"

namespace gateway {

namespace asio = boost::asio;

GatewayServer::GatewayServer(asio::io_context& io, ControlFile& control, const RsaPrivateKey& key)
    : control_(control), key_(key), acceptor_(io) {}

bool GatewayServer::Listen(int port, std::string& error) {
  return ServeOnLoopback(acceptor_, port, "gateway", error, [this](asio::ip::tcp::socket socket) {
    ++stats_.connections;
    ++stats_.openConnections;
    auto session = std::make_shared<ClientSession>(std::move(socket), *this);
    sessions_.emplace(session.get(), session);
    session->Start();
  });
}

int GatewayServer::port() const { return acceptor_.local_endpoint().port(); }

void GatewayServer::Forget(ClientSession* session) {
  if (sessions_.erase(session) > 0) --stats_.openConnections;
}

int32_t GatewayServer::RememberSession(const std::string& token, const std::string& sessionKey) {
  const int32_t id = next_reconnect_id_++;
  saved_sessions_[id] = SavedSession{token, sessionKey};
  return id;
}

std::optional<std::string> GatewayServer::SessionKeyFor(int32_t reconnectId,
                                                        std::string_view token) const {
  const auto found = saved_sessions_.find(reconnectId);
  if (found == saved_sessions_.end() || found->second.token != token) return std::nullopt;
  return found->second.sessionKey;
}

int GatewayServer::PushToEstablished(int32_t sessionId, std::string_view _interface,
                                     std::string_view _method, std::string_view body) {
  int pushed = 0;
  for (const auto& [raw, session] : sessions_) {
    if (!session->established()) continue;
    session->Push(sessionId, _interface, _method, body);
    ++pushed;
  }
  return pushed;
}

void GatewayServer::DropAll() {
  // Closing erases from the map, so walk a copy.
  std::vector<std::shared_ptr<ClientSession>> open;
  for (const auto& [raw, session] : sessions_) open.push_back(session);
  for (const auto& session : open) session->Close();
}

}  // namespace gateway
