#include "client_session.h"

#include <boost/asio/steady_timer.hpp>
#include <boost/asio/write.hpp>
#include <iterator>
#include <utility>
#include <vector>

#include "gateway_server.h"
#include "codec/pack_stream.h"
#include "nexa/frame_builder.h"
#include "nexa/frame_header.h"

namespace gateway {

namespace asio = boost::asio;

ClientSession::ClientSession(asio::ip::tcp::socket socket, GatewayServer& server)
    : socket_(std::move(socket)),
      server_(server),
      reader_([this](int32_t sessionId, const nexalib::RpcEnvelope& envelope,
                     std::string_view body) { OnMessage(sessionId, envelope, body); }) {
  socket_.set_option(asio::ip::tcp::no_delay(true));
  // Wherever it falls in a read: right after a frame when both left the client together.
  reader_.SetKeepaliveSink([this] { ++server_.stats().keepalives; });
}

void ClientSession::Start() { Read(); }

void ClientSession::Close() {
  if (closed_) return;
  closed_ = true;
  reader_.Reset();  // also ends the delivery of the rest of the current read
  boost::system::error_code ignored;
  socket_.close(ignored);
  server_.Forget(this);
}

void ClientSession::Read() {
  socket_.async_read_some(asio::buffer(buffer_),
                          [self = shared_from_this()](boost::system::error_code error, size_t size) {
                            if (self->closed_) return;
                            if (error) {
                              self->Close();
                              return;
                            }
                            self->OnBytes(std::string_view(self->buffer_.data(), size));
                            if (!self->closed_) self->Read();
                          });
}

void ClientSession::OnBytes(std::string_view bytes) {
  if (reader_.Feed(bytes) == nexalib::FeedResult::kBrokenStream) Close();
}

void ClientSession::OnMessage(int32_t sessionId, const nexalib::RpcEnvelope& envelope,
                              std::string_view body) {
  if (closed_) return;
  GatewayStats& stats = server_.stats();
  ++stats.frames;
  const std::string call = CallName(envelope._interface, envelope._method);
  CallStats& callStats = stats.calls[call];
  ++callStats.count;
  callStats.lastSeqId = envelope.seqId;
  callStats.lastSessionId = sessionId;
  callStats.lastBody = body;

  const FaultSettings& faults = server_.Faults();
  ++frames_;
  if (faults.closeAfterFrames > 0 && frames_ >= faults.closeAfterFrames) {
    Close();
    return;
  }
  const Handler* handler = FindHandler(envelope._interface, envelope._method);
  if (handler == nullptr || faults.silent.contains(call)) return;

  IncomingMessage request{sessionId, envelope, std::string(body)};
  const std::optional<Reply> reply = (*handler)(*this, request);
  if (reply && envelope.callType == nexalib::kCallRequest) Answer(request, *reply, faults);
}

void ClientSession::Answer(const IncomingMessage& request, const Reply& reply,
                           const FaultSettings& faults) {
  const std::string call = CallName(request.envelope._interface, request.envelope._method);
  const bool corrupt = faults.corruptBefore.contains(call);
  const bool oversize = faults.oversizeInstead.contains(call);
  const auto answer = [self = shared_from_this(), request, reply, corrupt, oversize] {
    if (self->closed_) return;
    if (oversize) {
      self->SendOversizedLength();
      return;
    }
    if (corrupt) self->SendCorruptFrame(request.sessionId);
    self->SendReply(request, reply);
  };
  const int delayMs = faults.DelayFor(call);
  if (delayMs <= 0) {
    answer();
    return;
  }
  auto timer = std::make_shared<asio::steady_timer>(socket_.get_executor(),
                                                     std::chrono::milliseconds(delayMs));
  timer->async_wait([timer, answer](boost::system::error_code) { answer(); });
}

void ClientSession::SendReply(const IncomingMessage& request, const Reply& reply) {
  nexalib::RpcEnvelope envelope;
  envelope._interface = request.envelope._interface;
  envelope._method = request.envelope._method;
  envelope.callType = nexalib::kCallResponse;
  envelope.seqId = request.envelope.seqId;
  Send(request.sessionId, envelope, reply.body);
  if (reply.sessionKey) {
    session_key_ = *reply.sessionKey;
    reader_.SetSessionKey(session_key_);
    encrypt_ = true;
  }
}

void ClientSession::Push(int32_t sessionId, std::string_view _interface,
                         std::string_view _method, std::string_view body) {
  nexalib::RpcEnvelope envelope;
  envelope._interface = _interface;
  envelope._method = _method;
  envelope.callType = nexalib::kCallNotify;
  Send(sessionId, envelope, body);
}

void ClientSession::Send(int32_t sessionId, const nexalib::RpcEnvelope& envelope,
                         std::string_view body) {
  Queue(nexalib::BuildFrame(sessionId, nexalib::PackMessage(envelope, body), encrypt_,
                            session_key_));
}

void ClientSession::SendCorruptFrame(int32_t sessionId) {
  nexalib::RpcEnvelope envelope;
  envelope._interface = "Garbage";
  const std::string payload = nexalib::PackMessage(envelope, "");
  nexalib::FrameHeader header;
  header.sessionId = sessionId;
  header.sum16 = nexalib::Sum16(payload);
  std::string frame;
  header.PackData(frame, payload.size());
  frame.back() = static_cast<char>(frame.back() ^ 0x5A);  // the check byte
  frame += payload;
  Queue(std::move(frame));
}

void ClientSession::SendOversizedLength() {
  std::string bytes;
  codec::PackStream writer;
  writer.BindDestination(bytes);
  writer.PutVarint(nexalib::kMaxFrameLength + 1);
  bytes.append(16, '\x01');
  Queue(std::move(bytes));
}

void ClientSession::Queue(std::string bytes) {
  if (closed_ || bytes.empty()) return;
  outbox_.push_back(std::move(bytes));
  if (!writing_) Write();
}

void ClientSession::Write() {
  // One write for everything queued: answers to a burst of requests leave together.
  writing_ = true;
  sending_.assign(std::make_move_iterator(outbox_.begin()), std::make_move_iterator(outbox_.end()));
  outbox_.clear();
  std::vector<asio::const_buffer> buffers;
  buffers.reserve(sending_.size());
  for (const std::string& frame : sending_) buffers.push_back(asio::buffer(frame));
  asio::async_write(socket_, buffers,
                    [self = shared_from_this()](boost::system::error_code error, size_t) {
                      self->writing_ = false;
                      self->sending_.clear();
                      if (self->closed_) return;
                      if (error) {
                        self->Close();
                        return;
                      }
                      if (!self->outbox_.empty()) self->Write();
                    });
}

}  // namespace gateway
