#pragma once

// One client connection of the gateway: reads frames, counts what arrives, applies the
// fault settings, runs the handler of each call and writes the answers and pushes.
// Everything runs on the gateway's one I/O thread.

#include <array>
#include <boost/asio/ip/tcp.hpp>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "handlers.h"
#include "nexa/frame_reader.h"

namespace gateway {

class GatewayServer;
struct FaultSettings;

class ClientSession : public std::enable_shared_from_this<ClientSession> {
 public:
  ClientSession(boost::asio::ip::tcp::socket socket, GatewayServer& server);
  ClientSession(const ClientSession&) = delete;
  ClientSession& operator=(const ClientSession&) = delete;

  void Start();
  // Closes at once; queued output is dropped.
  void Close();

  GatewayServer& server() { return server_; }
  // True once a key exchange or a fast reconnect settled the session key.
  bool established() const { return encrypt_; }

  // A message from the server that is not a response (callType 2).
  void Push(int32_t sessionId, std::string_view _interface, std::string_view _method,
            std::string_view body);

 private:
  void Read();
  void OnBytes(std::string_view bytes);
  void OnMessage(int32_t sessionId, const nexalib::RpcEnvelope& envelope, std::string_view body);
  void Answer(const IncomingMessage& request, const Reply& reply, const FaultSettings& faults);
  void SendReply(const IncomingMessage& request, const Reply& reply);
  void Send(int32_t sessionId, const nexalib::RpcEnvelope& envelope, std::string_view body);
  void SendCorruptFrame(int32_t sessionId);
  void SendOversizedLength();
  void Queue(std::string bytes);
  void Write();

  boost::asio::ip::tcp::socket socket_;
  GatewayServer& server_;
  nexalib::FrameReader reader_;
  std::array<char, 64 * 1024> buffer_;
  std::deque<std::string> outbox_;  // waiting for the write in flight
  std::vector<std::string> sending_;  // the write in flight: all that waited when it began
  bool writing_ = false;
  bool closed_ = false;
  bool encrypt_ = false;
  std::string session_key_;
  int frames_ = 0;
};

}  // namespace gateway
