#include "nexa/nexa_channel_impl.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "base/file_path.h"
#include "base/file_util.h"
#include "base/strings.h"
#include "base/time.h"
#include "codec/pack_types.h"
#include "nexa/control_records.h"
#include "nexa/key_exchange.h"
#include "nexa/nexa_log.h"
#include "net/fetch_url.h"
#include "net/resolve.h"

namespace nexalib {
namespace {

constexpr int kHttpOk = 200;
// A resolved host name without port.
constexpr int kDefaultPort = 80;

// Address entries are "host:port" at the first colon, so only IPv4 results fit.
bool IsIPv4(const std::string& address) { return address.find(':') == std::string::npos; }

}  // namespace

CNexaChannelImpl::CNexaChannelImpl(ChannelSettings settings)
    : settings_(std::move(settings)),
      reader_([this](int32_t sessionId, const RpcEnvelope& envelope, std::string_view body) {
        Dispatch(sessionId, envelope, body);
      }),
      worker_("nexa") {
  worker_.StartWithOptions(base::Thread::Options());
  net::INetConnect* connection = nullptr;
  if (settings_.createConnection && settings_.createConnection(&connection, this)) {
    connection_.reset(connection);
  }
  message_loop()->PostDelayedTask(FROM_HERE, [this] { HeartBeat(); },
                                  base::TimeDelta::FromMilliseconds(settings_.heartbeatIntervalMs));
}

CNexaChannelImpl::~CNexaChannelImpl() {
  worker_.Stop();
  if (connection_) connection_->Close();
}

void CNexaChannelImpl::AddListener(INexaListener* listener, int sessionId) {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::AddListener", L" curState = %d, sessionId = %d.",
           PublishedState(), sessionId);
  listeners_.Add(sessionId, listener);
}

void CNexaChannelImpl::RemoveListener(int sessionId) {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::RemoveListener",
           L" curState = %d, sessionId = %d.", PublishedState(), sessionId);
  listeners_.Remove(sessionId);
}

void CNexaChannelImpl::InstallTable() {
  if (table_installed_) return;
  table_installed_ = true;
  SetInitialState(CH_IDLE);
  const auto action = [this](bool (CNexaChannelImpl::*step)()) {
    return [this, step] { return (this->*step)(); };
  };
  AddTransition(EV_START, CH_IDLE, CH_FETCHING, action(&CNexaChannelImpl::FetchAllotIps));
  AddTransition(EV_ADDRESSES_READY, CH_FETCHING, CH_CONNECTING,
                action(&CNexaChannelImpl::DoConnectNexa));
  AddTransition(EV_TCP_CONNECTED, CH_CONNECTING, CH_EXCHANGING,
                action(&CNexaChannelImpl::DoExchangeKey));
  AddTransition(EV_KEY_EXCHANGED, CH_EXCHANGING, CH_CONNECTED,
                action(&CNexaChannelImpl::DoConnected));
  AddTransition(EV_RECONNECT, CH_DISCONNECTED, CH_RECONNECTING,
                action(&CNexaChannelImpl::DoConnectNexa));
  AddTransition(EV_TCP_CONNECTED, CH_RECONNECTING, CH_FAST_RECONNECTING,
                action(&CNexaChannelImpl::DoFastReconnect));
  AddTransition(EV_FAST_RECONNECT_OK, CH_FAST_RECONNECTING, CH_CONNECTED,
                action(&CNexaChannelImpl::DoConnected));
  AddTransition(EV_FAST_RECONNECT_FAILED, CH_FAST_RECONNECTING, CH_REEXCHANGING,
                action(&CNexaChannelImpl::DoExchangeKey));
  AddTransition(EV_KEY_EXCHANGED, CH_REEXCHANGING, CH_CONNECTED,
                action(&CNexaChannelImpl::DoConnected));
  AddTransition(EV_FAILURE, CH_CONNECTING, CH_CONNECTING, action(&CNexaChannelImpl::DoConnectNexa));
  AddTransition(EV_FAILURE, CH_EXCHANGING, CH_CONNECTING, action(&CNexaChannelImpl::DoConnectNexa));
  for (ChannelState from : {CH_RECONNECTING, CH_REEXCHANGING, CH_FAST_RECONNECTING}) {
    AddTransition(EV_FAILURE, from, CH_DISCONNECTED, action(&CNexaChannelImpl::DoDisConnected));
  }
  AddTransition(EV_NO_SERVER, CH_RECONNECTING, CH_DISCONNECTED,
                action(&CNexaChannelImpl::DoDisConnected));
  AddEventTransition(EV_LINK_LOST, CH_DISCONNECTED, action(&CNexaChannelImpl::DoDisConnected));
  AddEventTransition(EV_NO_SERVER, CH_FAILED, action(&CNexaChannelImpl::DoConnectedFailed));
}

void CNexaChannelImpl::Feed(ChannelEvent event) {
  ProcessEvent(event);
  published_state_.store(GetState(), std::memory_order_relaxed);
}

void CNexaChannelImpl::Reset() {
  ResetState();
  published_state_.store(GetState(), std::memory_order_relaxed);
}

void CNexaChannelImpl::Start(const NetProxy& proxy, const std::wstring& allotUrl,
                             const std::wstring& dataDir, const std::wstring& defaultServer) {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::Start", L" curState = %d", GetState());
  InstallTable();
  switch (GetState()) {
    case CH_IDLE:
    case CH_FAILED:
    case kInvalidState:
      load_saved_servers_ = true;
      allot_url_ = FormatAllotUrl(allotUrl);
      data_dir_ = dataDir;
      default_server_ = defaultServer;
      net::SetProxy(proxy.type, proxy.host, proxy.port, proxy.user, proxy.password, proxy.unused);
      Reset();
      Feed(EV_START);
      break;
    case CH_CONNECTED:
      NotifyConnectStatus(CS_CONNECTED);
      break;
    case CH_DISCONNECTED:
      Feed(EV_RECONNECT);
      break;
    default:
      break;
  }
}

void CNexaChannelImpl::Stop() {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::Stop", L" curState = %d", GetState());
  if (connection_) connection_->Close();
  Reset();
}

bool CNexaChannelImpl::FetchAllotIps() {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::FetchAllotIps", L" curState = %d", GetState());
  std::string response;
  if (net::FetchUrl(allot_url_, settings_.fetchTimeoutMs, response) == kHttpOk) {
    ParseAllotIpsRsp(base::UTF8ToWide(response));
  }
  Feed(EV_ADDRESSES_READY);
  return true;
}

void CNexaChannelImpl::ParseAllotIpsRsp(const std::wstring& text) {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::ParseAllotIpsRsp", L" length = %d.",
           static_cast<int>(text.size()));
  addresses_.clear();
  if (!host_.empty() && port_ != 0) addresses_.push_back(JoinAddress(host_, port_));
  AppendAllotTokens(addresses_, text);
}

bool CNexaChannelImpl::SetNexaParam() {
  host_.clear();
  port_ = -1;
  while (!addresses_.empty()) {
    const std::wstring entry = std::move(addresses_.front());
    addresses_.pop_front();
    if (IsHostName(entry)) {
      DomainToIPPorts(entry);
      continue;
    }
    ServerAddress address = SplitAddress(entry);
    host_ = std::move(address.host);
    port_ = address.port;
    NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::SetNexaParam", L" host = %ls, port = %d.",
             host_.c_str(), port_);
    return true;
  }
  return false;
}

bool CNexaChannelImpl::TakeUsableAddress() {
  // An entry whose port did not parse is passed over, however many follow each other.
  while (SetNexaParam()) {
    if (!host_.empty() && port_ >= 1) return true;
  }
  return false;
}

void CNexaChannelImpl::DomainToIPPorts(const std::wstring& domain) {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::DomainToIPPorts", L" strDomain = %ls.",
           domain.c_str());
  std::vector<std::string> resolved;
  if (!net::DomainToIpList(base::WideToUTF8(domain), resolved)) return;
  auto insertAt = addresses_.begin();
  for (const std::string& address : resolved) {
    if (!IsIPv4(address)) continue;
    insertAt = addresses_.insert(insertAt, JoinAddress(base::UTF8ToWide(address), kDefaultPort)) + 1;
  }
}

void CNexaChannelImpl::LoadServerList() {
  if (!load_saved_servers_) return;
  load_saved_servers_ = false;
  if (!default_server_.empty()) addresses_.push_back(default_server_);
  std::string saved;
  if (base::ReadFileToString(base::FilePath(data_dir_).Append(kSavedServerFile), &saved)) {
    AppendSavedServers(addresses_, base::UTF8ToWide(saved));
  }
}

void CNexaChannelImpl::SaveServerList() {
  LoadServerList();
  const std::wstring current = JoinAddress(host_, port_);
  if (std::find(addresses_.begin(), addresses_.end(), current) == addresses_.end()) {
    addresses_.push_back(current);
  }
  const std::string text = base::WideToUTF8(SavedServerText(addresses_, default_server_));
  file_util::WriteFile(base::FilePath(data_dir_).Append(kSavedServerFile), text.data(),
                       static_cast<int>(text.size()));
}

bool CNexaChannelImpl::DoConnectNexa() {
  // An address that fails at once is passed over here rather than through another
  // EV_FAILURE, so that a long list of bad addresses does not nest one action per entry.
  for (;;) {
    NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::DoConnectNexa", L" %ls:%d state: %d",
             host_.c_str(), port_, GetState());
    if (GetState() == CH_CONNECTING && !TakeUsableAddress()) {
      LoadServerList();
      TakeUsableAddress();
    }
    if (host_.empty() || port_ <= 0) {
      Stop();
      Feed(EV_NO_SERVER);
      return true;
    }

    int result = net::RES_BAD_ARGUMENT;
    if (connection_) {
      // Closed before the attempt advances, so that nothing the old connection still
      // reports can pass for the new one.
      connection_->Close();
      reader_.Reset();
      connect_attempt_.fetch_add(1);
      result = connection_->Connect(base::WideToUTF8(host_).c_str(), port_);
      if (result == net::RES_PENDING || result == net::RES_OK) return true;
    }
    NEXA_LOG(logging::LOG_ERROR, L"CNexaChannelImpl::DoConnectNexa",
             L"Connect server immediately error: %d, status: %d", result, GetState());
    if (GetState() != CH_CONNECTING) {
      Feed(EV_FAILURE);
      return true;
    }
  }
}

bool CNexaChannelImpl::DoExchangeKey() {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::DoExchangeKey", L" curState = %d", GetState());
  session_key_.clear();
  client_key_.clear();
  reconnect_token_.clear();
  reconnect_id_ = 0;
  encryption_on_ = false;

  client_key_ = GenerateClientKey();
  ExchangeKeyReq request;
  if (!client_key_.empty()) {
    request.encryptedClientKey = EncryptClientKey(client_key_, settings_.publicKeyBase64);
  }
  if (request.encryptedClientKey.empty()) {
    NEXA_LOG(logging::LOG_ERROR, L"CNexaChannelImpl::DoExchangeKey", L"encrypt key error.");
    Feed(EV_FAILURE);
    return true;
  }
  std::string body;
  request.PackData(body);
  AsynSend(0, kRpcExchangeKey.interface_name, kRpcExchangeKey.method, body, ControlCallback(),
           settings_.controlCallTimeoutMs);
  return true;
}

void CNexaChannelImpl::HandleExchangeKey(const std::string& body) {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::HandleExchangeKey", L" curState = %d",
           GetState());
  std::optional<SessionKeys> keys = ReadExchangeKeyRsp(body, client_key_);
  if (!keys) {
    Feed(EV_FAILURE);
    return;
  }
  session_key_ = std::move(keys->sessionKey);
  reconnect_id_ = keys->reconnectId;
  reconnect_token_ = std::move(keys->reconnectToken);
  reader_.SetSessionKey(session_key_);
  Feed(EV_KEY_EXCHANGED);
}

bool CNexaChannelImpl::DoFastReconnect() {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::DoFastReconnect", L" reconnectId = %d.",
           reconnect_id_);
  encryption_on_ = false;
  if (reconnect_id_ == 0) {
    Feed(EV_FAST_RECONNECT_FAILED);
    return true;
  }
  FastReconnectReq request;
  request.reconnectId = reconnect_id_;
  request.reconnectToken = reconnect_token_;
  std::string body;
  request.PackData(body);
  AsynSend(0, kRpcReconnect.interface_name, kRpcReconnect.method, body, ControlCallback(),
           settings_.controlCallTimeoutMs);
  return true;
}

void CNexaChannelImpl::HandleFastReconnect(const std::string& body) {
  ResultCodeRsp response;
  const int unpacked = response.UnpackData(body);
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::HandleFastReconnect",
           L" unpackRet = %d, rspRetcode = %d.", unpacked, response.resultCode);
  Feed(unpacked == codec::PACK_OK && response.resultCode == 0 ? EV_FAST_RECONNECT_OK
                                                              : EV_FAST_RECONNECT_FAILED);
}

bool CNexaChannelImpl::DoConnected() {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::DoConnected", L" curState = %d", GetState());
  encryption_on_ = true;
  SaveServerList();
  NotifyConnectStatus(CS_CONNECTED);
  return true;
}

bool CNexaChannelImpl::DoDisConnected() {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::DoDisConnected", L" curState = %d", GetState());
  NotifyConnectStatus(CS_DISCONNECTED);
  return true;
}

bool CNexaChannelImpl::DoConnectedFailed() {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::DoConnectedFailed", L" curState = %d",
           GetState());
  NotifyConnectStatus(CS_FAILED);
  return true;
}

void CNexaChannelImpl::NotifyConnectStatus(CONNECT_STATE state) {
  listeners_.ForEach([state](INexaListener& listener) { listener.OnConnectStatus(state, ""); });
}

void CNexaChannelImpl::HeartBeat() {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::HeartBeat", L" curState = %d", GetState());
  int64_t delay = settings_.heartbeatIntervalMs;
  if (GetState() == CH_CONNECTED) {
    const int64_t now = base::Time::TickCount();
    const int64_t idle = now - last_send_time_;
    if (idle < settings_.heartbeatIntervalMs) {
      delay = settings_.heartbeatIntervalMs - idle;
    } else if (connection_) {
      last_send_time_ = now;
      constexpr char kKeepalive = '\0';
      if (connection_->Send(&kKeepalive, 1) != 0) OnLinkFailure();
    }
  }
  message_loop()->PostDelayedTask(
      FROM_HERE, [this] { HeartBeat(); },
      base::TimeDelta::FromMilliseconds(delay + settings_.heartbeatSlackMs));
}

void CNexaChannelImpl::OnLinkFailure() {
  Feed(GetState() == CH_CONNECTED ? EV_LINK_LOST : EV_FAILURE);
}

template <typename Task>
void CNexaChannelImpl::PostForAttempt(Task task) {
  const uint64_t attempt = connect_attempt_.load();
  message_loop()->PostTask(FROM_HERE, [this, attempt, task = std::move(task)]() mutable {
    if (attempt == connect_attempt_.load()) task();
  });
}

void CNexaChannelImpl::OnConnect(net::ResCode result) {
  PostForAttempt([this, result] { OnConnectCallThread(result); });
}

int CNexaChannelImpl::OnRecv(const char* data, int length) {
  if (data != nullptr && length > 0) {
    PostForAttempt([this, bytes = std::string(data, static_cast<size_t>(length))] {
      OnRecvCallThread(bytes);
    });
  }
  return length;
}

void CNexaChannelImpl::OnError(net::ResCode result) {
  PostForAttempt([this, result] { OnErrorCallThread(result); });
}

void CNexaChannelImpl::OnSend() {
  PostForAttempt([this] { OnSendCallThread(); });
}

void CNexaChannelImpl::OnClose() {
  PostForAttempt([this] { OnCloseCallThread(); });
}

void CNexaChannelImpl::OnConnectCallThread(net::ResCode result) {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::OnConnectCallThread",
           L"curState = %d, resCode = %d.", GetState(), static_cast<int>(result));
  if (result == net::RES_PENDING || result == net::RES_OK) {
    reader_.Reset();
    Feed(EV_TCP_CONNECTED);
  } else {
    Feed(EV_FAILURE);
  }
}

void CNexaChannelImpl::OnRecvCallThread(const std::string& data) {
  if (reader_.Feed(data) == FeedResult::kBrokenStream) {
    NEXA_LOG(logging::LOG_ERROR, L"CNexaChannelImpl::OnRecvCallThread",
             L" broken stream, curState = %d.", GetState());
    if (connection_) connection_->Close();
    OnLinkFailure();
  }
}

void CNexaChannelImpl::OnSendCallThread() {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::OnSendCallThread", L" curState = %d",
           GetState());
}

void CNexaChannelImpl::OnCloseCallThread() {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::OnCloseCallThread", L" curState = %d",
           GetState());
  OnLinkFailure();
}

void CNexaChannelImpl::OnErrorCallThread(net::ResCode result) {
  NEXA_LOG(logging::LOG_INFO, L"CNexaChannelImpl::OnErrorCallThread",
           L" curState = %d, resCode = %d.", GetState(), static_cast<int>(result));
  OnLinkFailure();
}

}  // namespace nexalib
