// Requests, notifications, virtual connections and the dispatch of received messages.
#include <algorithm>
#include <chrono>
#include <utility>

#include "base/strings.h"
#include "base/time.h"
#include "codec/pack_types.h"
#include "nexa/control_records.h"
#include "nexa/frame_builder.h"
#include "nexa/nexa_channel_impl.h"
#include "nexa/nexa_log.h"
#include "nexa/rpc_envelope.h"

namespace nexalib {
namespace {

std::wstring Wide(const std::string& text) { return base::UTF8ToWide(text); }

}  // namespace

void CNexaChannelImpl::AsynSend(int sessionId, const std::string& _interface,
                                const std::string& _method, const std::string& data,
                                SendCallback callback, int timeoutMs) {
  base::AutoLock lock(request_lock_);
  const int64_t seqId = seq_id_;
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::AsynSend",
           L" sessionId = %d, _interface= %ls, _method = %ls, seqid = %d.", sessionId,
           Wide(_interface).c_str(), Wide(_method).c_str(), static_cast<int>(seqId));
  if (!connection_) return;
  pending_[seqId] = ReqInfo{sessionId, _interface, _method, data, std::move(callback)};
  if (timeoutMs > 0) {
    const auto due = RequestDeadlines::Clock::now() + std::chrono::milliseconds(timeoutMs);
    deadlines_.Add(seqId, due);
    ArmTimeoutSweepBy(due);
  }
  ++seq_id_;
  last_send_time_ = base::Time::TickCount();
  SendMessage(sessionId, _interface, _method, kCallRequest, seqId, data);
}

void CNexaChannelImpl::NotifySend(int sessionId, const std::string& _interface,
                                  const std::string& _method, const std::string& data) {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::NotifySend",
           L" sessionId = %d, _interface= %ls, _method = %ls.", sessionId,
           Wide(_interface).c_str(), Wide(_method).c_str());
  if (!connection_) return;
  const std::string body = IsWrappedBody(_interface, _method) ? WrapBody(data) : data;
  base::AutoLock lock(request_lock_);
  // A notification carries the number of the next request without taking it.
  SendMessage(sessionId, _interface, _method, kCallNotify, seq_id_, body);
}

void CNexaChannelImpl::SendMessage(int sessionId, const std::string& _interface,
                                   const std::string& _method, uint8_t callType, int64_t seqId,
                                   const std::string& body) {
  RpcEnvelope envelope;
  envelope._interface = _interface;
  envelope._method = _method;
  envelope.callType = callType;
  envelope.seqId = seqId;
  const std::string frame =
      BuildFrame(sessionId, PackMessage(envelope, body), encryption_on_, session_key_);
  if (frame.empty() || connection_->Send(frame.data(), static_cast<int>(frame.size())) != 0) {
    OnLinkFailure();
  }
}

void CNexaChannelImpl::CreateVConn(int sessionId, const std::string& clusterName,
                                   const std::string& routeName, const std::string& allotKey) {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::CreateVConn",
           L" curState = %d, sessionId = %d, clusterName = %ls, routeName = %ls, allotKey = %ls.",
           GetState(), sessionId, Wide(clusterName).c_str(), Wide(routeName).c_str(),
           Wide(allotKey).c_str());
  CreateVConnReq request;
  request.clusterName = clusterName;
  request.routeName = routeName;
  request.allotKey = allotKey;
  std::string body;
  request.PackData(body);
  AsynSend(sessionId, kRpcSessionStart.interface_name, kRpcSessionStart.method, body,
           ControlCallback(), settings_.controlCallTimeoutMs);
}

void CNexaChannelImpl::DestroyVConn(int sessionId) {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::DestroyVConn", L" sessionId = %d.", sessionId);
  if (GetState() != CH_CONNECTED) return;
  DestroyVConnReq request;
  request.sessionId = sessionId;
  std::string body;
  request.PackData(body);
  NotifySend(sessionId, kRpcSessionStop.interface_name, kRpcSessionStop.method, body);
}

SendCallback CNexaChannelImpl::ControlCallback() {
  const uint64_t attempt = connect_attempt_.load();
  return [this, attempt](SEND_STATE state, const std::string& _interface,
                         const std::string& _method, const std::string& body,
                         const ReqInfo& info) {
    // A call of an earlier connection says nothing about the current one.
    if (attempt != connect_attempt_.load()) {
      NEXA_LOG(logging::LOG_WARNING, L"CNexaChannelImpl::OnSendCallback",
               L" stale %ls/%ls dropped.", Wide(info._interface).c_str(),
               Wide(info._method).c_str());
      return;
    }
    OnSendCallback(state, _interface, _method, body, info);
  };
}

void CNexaChannelImpl::OnSendCallback(SEND_STATE state, const std::string& _interface,
                                      const std::string& _method, const std::string& body,
                                      const ReqInfo& info) {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::OnSendCallback",
           L" state = %d, _interface= %ls, _method = %ls.", static_cast<int>(state),
           Wide(_interface).c_str(), Wide(_method).c_str());
  if (state != SEND_OK) {
    OnLinkFailure();
    return;
  }
  if (IsCall(kRpcExchangeKey, _interface, _method)) {
    HandleExchangeKey(body);
  } else if (IsCall(kRpcReconnect, _interface, _method)) {
    HandleFastReconnect(body);
  } else if (IsCall(kRpcSessionStart, _interface, _method)) {
    HandleCreateVConn(info.sessionId, body);
  }
}

void CNexaChannelImpl::ArmTimeoutSweepBy(RequestDeadlines::Clock::time_point due) {
  if (armed_due_ && *armed_due_ <= due) return;
  armed_due_ = due;
  const uint64_t generation = ++sweep_generation_;
  const auto wait =
      std::chrono::ceil<std::chrono::milliseconds>(due - RequestDeadlines::Clock::now());
  message_loop()->PostDelayedTask(
      FROM_HERE, [this, generation] { SweepTimeouts(generation); },
      base::TimeDelta::FromMilliseconds(std::max<int64_t>(0, wait.count())));
}

void CNexaChannelImpl::SweepTimeouts(uint64_t generation) {
  base::AutoLock lock(request_lock_);
  if (generation != sweep_generation_) return;  // re-armed for an earlier limit meanwhile
  armed_due_.reset();
  for (int64_t seqId : deadlines_.TakeExpired(RequestDeadlines::Clock::now())) {
    OnSendTimeout(seqId);
  }
  // A callback above may have sent again and armed already; the earliest limit wins.
  if (const auto next = deadlines_.Earliest()) ArmTimeoutSweepBy(*next);
}

void CNexaChannelImpl::OnSendTimeout(int64_t seqId) {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::OnSendTimeout", L"");
  base::AutoLock lock(request_lock_);
  // Taken out before anything runs, so that a callback that sends again cannot meet it.
  auto request = pending_.extract(seqId);
  if (request.empty()) return;
  const ReqInfo& info = request.mapped();
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::OnSendTimeout",
           L" sessionId = %d, _interface= %ls, _method = %ls, seqId = %d.", info.sessionId,
           Wide(info._interface).c_str(), Wide(info._method).c_str(), static_cast<int>(seqId));
  if (IsCall(kRpcSessionStart, info._interface, info._method)) {
    listeners_.CallOne(info.sessionId, [](INexaListener& listener) {
      listener.OnVConnectStatus(CS_TIMEOUT, "");
    });
  } else if (!IsCall(kRpcRelogin, info._interface, info._method) && !info.callback.is_null()) {
    info.callback.Run(SEND_TIMEOUT, info._interface, info._method, std::string(), info);
  }
}

void CNexaChannelImpl::Dispatch(int32_t sessionId, const RpcEnvelope& envelope,
                                std::string_view body) {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::Dispatch", L" curState = %d.", GetState());
  if (envelope.callType == kCallResponse) {
    base::AutoLock lock(request_lock_);
    auto request = pending_.extract(envelope.seqId);
    if (request.empty()) return;  // late: answered or timed out already
    deadlines_.Remove(envelope.seqId);
    const ReqInfo& info = request.mapped();
    if (!info.callback.is_null()) {
      info.callback.Run(SEND_OK, envelope._interface, envelope._method, std::string(body), info);
    }
    return;
  }
  const std::string data(body);
  if (FilterByNexa(sessionId, envelope._interface, envelope._method, data)) return;
  listeners_.CallOne(sessionId, [&](INexaListener& listener) {
    listener.OnNotify(envelope._interface, envelope._method, data);
  });
}

bool CNexaChannelImpl::FilterByNexa(int sessionId, const std::string& _interface,
                                    const std::string& _method, const std::string& body) {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::FilterByNexa",
           L" sessionId = %d, _interface = %ls, _method = %ls.", sessionId,
           Wide(_interface).c_str(), Wide(_method).c_str());
  if (IsCall(kRpcSessionStop, _interface, _method)) {
    DestroyVConnReq push;
    const bool closedNormally = push.UnpackData(body) == codec::PACK_OK && push.sessionId == 0;
    listeners_.CallOne(sessionId, [closedNormally](INexaListener& listener) {
      listener.OnVConnectStatus(closedNormally ? CS_CLOSED : CS_CLOSED_BY_SERVER, "");
    });
    return true;
  }
  return IsCall(kRpcRenewLoginSession, _interface, _method);
}

void CNexaChannelImpl::HandleCreateVConn(int sessionId, const std::string& body) {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::HandleCreateVConn", L" sessionId = %d.",
           sessionId);
  ResultCodeRsp response;
  const int unpacked = response.UnpackData(body);
  const CONNECT_STATE state =
      unpacked == codec::PACK_OK && response.resultCode == 0 ? CS_CONNECTED : CS_FAILED;
  listeners_.CallOne(sessionId,
                     [state](INexaListener& listener) { listener.OnVConnectStatus(state, ""); });
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::HandleCreateVConn",
           L"sessionId = %d, unpackRet = %d, rspRetcode = %d.", sessionId, unpacked,
           response.resultCode);
}

}  // namespace nexalib
