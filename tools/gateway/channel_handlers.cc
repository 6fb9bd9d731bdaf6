// The channel's side of the protocol: key exchange, fast reconnect, virtual connections,
// and an echo call for tests and benchmarks.
#include <string>

#include "client_session.h"
#include "codec/pack_types.h"
#include "gateway_server.h"
#include "handlers.h"
#include "nexa/control_records.h"
#include "net/crypto.h"

namespace gateway {
namespace {

constexpr size_t kSessionKeySize = 16;
constexpr int32_t kRefused = 1;

std::string ResultCode(int32_t code) {
  nexalib::ResultCodeRsp response;
  response.resultCode = code;
  std::string body;
  response.PackData(body);
  return body;
}

std::optional<Reply> ExchangeKey(ClientSession& session, const IncomingMessage& message) {
  GatewayServer& server = session.server();
  if (server.Faults().exchangeGarbage) return Reply{ResultCode(0) + std::string("\x01\x40\x00", 3)};

  nexalib::ExchangeKeyReq request;
  std::string clientKey;
  if (request.UnpackData(message.body) == codec::PACK_OK) {
    clientKey = server.privateKey().Decrypt(request.encryptedClientKey);
  }
  const std::string sessionKey = net::RandomBytes(kSessionKeySize);
  if (clientKey.empty() || sessionKey.empty()) return Reply{ResultCode(kRefused)};

  nexalib::ExchangeKeyRsp response;
  response.encryptedSessionKey = net::AesEncode(clientKey, sessionKey);
  response.reconnectToken = net::RandomBytes(kSessionKeySize);
  response.reconnectId = server.RememberSession(response.reconnectToken, sessionKey);
  std::string body;
  response.PackData(body);
  ++server.stats().exchanges;
  return Reply{body, sessionKey};
}

std::optional<Reply> FastReconnect(ClientSession& session, const IncomingMessage& message) {
  GatewayServer& server = session.server();
  nexalib::FastReconnectReq request;
  std::optional<std::string> sessionKey;
  if (!server.Faults().reconnectFails && request.UnpackData(message.body) == codec::PACK_OK) {
    sessionKey = server.SessionKeyFor(request.reconnectId, request.reconnectToken);
  }
  if (!sessionKey) {
    ++server.stats().reconnectsRefused;
    return Reply{ResultCode(kRefused)};
  }
  ++server.stats().reconnectsAccepted;
  return Reply{ResultCode(0), sessionKey};
}

std::optional<Reply> StartVConn(ClientSession& session, const IncomingMessage& message) {
  nexalib::CreateVConnReq request;
  if (request.UnpackData(message.body) != codec::PACK_OK) return Reply{ResultCode(kRefused)};
  return Reply{ResultCode(session.server().Faults().vconnCode)};
}

std::optional<Reply> Echo(ClientSession&, const IncomingMessage& message) {
  return Reply{message.body};
}

const HandlerRegistration kExchangeKey("NexaCore", "exchangeKey", ExchangeKey);
const HandlerRegistration kReconnect("NexaCore", "reconnect", FastReconnect);
const HandlerRegistration kStartVConn("ScSession", "start", StartVConn);
const HandlerRegistration kEcho("Echo", "echo", Echo);

}  // namespace
}  // namespace gateway
