#pragma once

// The process's connection to the gateway and the traffic on it. Finds gateway addresses
// (address service, default server, saved servers), connects to one after another, runs
// the key exchange, keeps the link alive, reconnects fast to the last server, carries
// requests and notifications of the virtual connections and dispatches what arrives.
//
// Everything but the listener calls runs on the channel thread "nexa"; the facade posts
// there. The network library's callbacks arrive on its own thread and are reposted.

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/lock.h"
#include "base/thread.h"
#include "nexa/channel_settings.h"
#include "nexa/frame_reader.h"
#include "nexa/listener_registry.h"
#include "nexa/request_deadlines.h"
#include "nexa/server_list.h"
#include "nexa/state_machine.h"
#include "net/net_connect.h"
#include "nexalib/net_proxy.h"
#include "nexalib/nexa_listener.h"
#include "nexalib/req_info.h"
#include "rpc_names.h"

namespace nexalib {

enum ChannelState : int32_t {
  CH_IDLE = 0,
  CH_FETCHING = 1,          // asking the address service
  CH_CONNECTING = 2,        // TCP connect to an address of the list
  CH_EXCHANGING = 3,        // key exchange
  CH_CONNECTED = 4,         // link up, encryption on
  CH_FAILED = 5,            // every address failed
  CH_DISCONNECTED = 6,      // link lost after having been up
  CH_RECONNECTING = 7,      // TCP connect to the last server
  CH_REEXCHANGING = 8,      // full key exchange after a failed fast reconnect
  CH_FAST_RECONNECTING = 9,
};

enum ChannelEvent : int32_t {
  EV_START = 0,
  EV_ADDRESSES_READY = 1,
  EV_TCP_CONNECTED = 2,
  EV_KEY_EXCHANGED = 3,
  EV_FAILURE = 5,
  EV_NO_SERVER = 6,
  EV_LINK_LOST = 7,
  EV_RECONNECT = 8,
  EV_FAST_RECONNECT_OK = 9,
  EV_FAST_RECONNECT_FAILED = 10,
};

// True when a message names the call `name`.
inline bool IsCall(const RpcName& name, std::string_view _interface, std::string_view _method) {
  return _interface == name.interface_name && _method == name.method;
}

// The saved server file in the data directory.
inline constexpr wchar_t kSavedServerFile[] = L"lastserverinfo";

class CNexaChannelImpl : public net::INetConnectCallback, public StateMachine {
 public:
  // Starts the channel thread and the heartbeat.
  explicit CNexaChannelImpl(ChannelSettings settings);
  // Runs what is already posted, then closes the connection. The process-wide channel is
  // never destroyed; tests destroy theirs.
  ~CNexaChannelImpl();
  CNexaChannelImpl(const CNexaChannelImpl&) = delete;
  CNexaChannelImpl& operator=(const CNexaChannelImpl&) = delete;

  base::MessageLoop* message_loop() const { return worker_.message_loop(); }
  // The state as the channel thread last left it; safe to read from any thread.
  int32_t PublishedState() const { return published_state_.load(std::memory_order_relaxed); }

  // Safe from any thread.
  void AddListener(INexaListener* listener, int sessionId);
  void RemoveListener(int sessionId);

  // Run on the channel thread.
  void Start(const NetProxy& proxy, const std::wstring& allotUrl, const std::wstring& dataDir,
             const std::wstring& defaultServer);
  void Stop();
  void AsynSend(int sessionId, const std::string& _interface, const std::string& _method,
                const std::string& data, SendCallback callback, int timeoutMs);
  void NotifySend(int sessionId, const std::string& _interface, const std::string& _method,
                  const std::string& data);
  void CreateVConn(int sessionId, const std::string& clusterName, const std::string& routeName,
                   const std::string& allotKey);
  void DestroyVConn(int sessionId);

 private:
  // net::INetConnectCallback, on the network thread: each reposts to the channel thread.
  void OnConnect(net::ResCode result) override;
  int OnRecv(const char* data, int length) override;
  void OnError(net::ResCode result) override;
  void OnSend() override;
  void OnClose() override;

  // Posts `task` to the channel thread for the current connection attempt; it is dropped
  // there when another attempt has begun meanwhile, because what an earlier connection
  // reported no longer concerns the link.
  template <typename Task>
  void PostForAttempt(Task task);

  // Lifecycle (nexa_channel_impl.cc).
  void InstallTable();
  void Feed(ChannelEvent event);
  void Reset();
  bool FetchAllotIps();
  void ParseAllotIpsRsp(const std::wstring& text);
  bool SetNexaParam();
  bool TakeUsableAddress();
  void DomainToIPPorts(const std::wstring& domain);
  void LoadServerList();
  void SaveServerList();
  bool DoConnectNexa();
  bool DoExchangeKey();
  void HandleExchangeKey(const std::string& body);
  bool DoFastReconnect();
  void HandleFastReconnect(const std::string& body);
  bool DoConnected();
  bool DoDisConnected();
  bool DoConnectedFailed();
  void HeartBeat();
  void OnConnectCallThread(net::ResCode result);
  void OnRecvCallThread(const std::string& data);
  void OnSendCallThread();
  void OnCloseCallThread();
  void OnErrorCallThread(net::ResCode result);
  // A lost link while connected, a failed step otherwise.
  void OnLinkFailure();
  void NotifyConnectStatus(CONNECT_STATE state);

  // Requests and dispatch (nexa_channel_requests.cc).
  // Completion of the channel's own calls, for the connection attempt that sent them.
  SendCallback ControlCallback();
  void OnSendCallback(SEND_STATE state, const std::string& _interface,
                      const std::string& _method, const std::string& body, const ReqInfo& info);
  void OnSendTimeout(int64_t seqId);
  // Posts the sweep for `due` unless one is posted for that time or earlier.
  void ArmTimeoutSweepBy(RequestDeadlines::Clock::time_point due);
  // Times out every request whose limit has passed, then arms for the next limit.
  void SweepTimeouts(uint64_t generation);
  void Dispatch(int32_t sessionId, const RpcEnvelope& envelope, std::string_view body);
  bool FilterByNexa(int sessionId, const std::string& _interface, const std::string& _method,
                    const std::string& body);
  void HandleCreateVConn(int sessionId, const std::string& body);
  // Frames and sends one message; a failure feeds the link-loss rule.
  void SendMessage(int sessionId, const std::string& _interface, const std::string& _method,
                   uint8_t callType, int64_t seqId, const std::string& body);

  const ChannelSettings settings_;
  bool table_installed_ = false;
  ListenerRegistry listeners_;
  base::Lock request_lock_;                 // re-entrant: callbacks may send again
  int64_t seq_id_ = 0;                      // Guarded by request_lock_
  std::map<int64_t, ReqInfo> pending_;      // Guarded by request_lock_
  RequestDeadlines deadlines_;              // Guarded by request_lock_
  // When the posted sweep runs; a sweep of an older generation finds nothing to do.
  std::optional<RequestDeadlines::Clock::time_point> armed_due_;  // Guarded by request_lock_
  uint64_t sweep_generation_ = 0;                                 // Guarded by request_lock_
  std::string client_key_;
  std::string session_key_;
  bool encryption_on_ = false;
  std::string reconnect_token_;
  int32_t reconnect_id_ = 0;
  int64_t last_send_time_ = 0;
  std::unique_ptr<net::INetConnect> connection_;  // null when creation failed
  std::wstring allot_url_;
  std::wstring data_dir_;
  std::wstring default_server_;
  int32_t port_ = -1;
  std::wstring host_;
  bool load_saved_servers_ = true;
  AddressList addresses_;
  FrameReader reader_;
  // Counts Connect calls; written on the channel thread, read by the network thread.
  std::atomic<uint64_t> connect_attempt_{0};
  std::atomic<int32_t> published_state_{CH_IDLE};
  base::Thread worker_;
};

}  // namespace nexalib
