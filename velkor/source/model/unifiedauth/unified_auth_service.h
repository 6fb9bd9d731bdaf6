// The authentication service. A login walks a state machine on the service's own
// thread "login": start the channel, open the service's virtual connection, send
// "login", and turn the answer into a record for the host. The second factor and
// the web token exchange reuse the connection and the stored login answer.
//
// Threads: the host calls the operations from any thread and they only post; the
// channel calls the listener operations and request callbacks on its thread and
// they only post; everything else runs on "login", so members need no lock.
// Records are delivered on the SDK service's user-interface thread.
//
// Lifetime: every posted task, request callback, queued record and row of the
// transition table holds a counted reference. Once Initialize has filled the
// table the service therefore lives until the process ends, which is what lets
// the channel keep a plain pointer to it as listener.
#ifndef VELKOR_SOURCE_MODEL_UNIFIEDAUTH_UNIFIED_AUTH_SERVICE_H_
#define VELKOR_SOURCE_MODEL_UNIFIEDAUTH_UNIFIED_AUTH_SERVICE_H_

#include <cstdint>
#include <string>

#include "base/callback.h"
#include "base/ref_counted.h"
#include "auth_dependencies.h"
#include "base/thread.h"
#include "logon_records.h"
#include "nexa/state_machine.h"
#include "nexalib/nexa_channel.h"
#include "nexalib/nexa_listener.h"
#include "nexalib/req_info.h"
#include "rpc_names.h"
#include "sdk_task_pool_group.h"
#include "subscriber_delivery.h"
#include "uauth/unified_auth_service.h"
#include "zeph_object.h"

class CUnifiedAuthService : public zeph::CZephCOMRootObject<zeph::CCOMThreadSafeRefPolicy>,
                            public uauth::IUnifiedAuthService,
                            public nexalib::INexaListener,
                            public nexalib::StateMachine {
 public:
  static constexpr char kClassId[] = "{1C9C6FC8-4046-466C-8A13-FA4D5613F6CE}";
  static constexpr char kClassName[] = "UnifiedAuthService";
  static const zeph::InterfaceMapEntry* GetInterfaceMap() {
    return zeph::SingleInterfaceMap<CUnifiedAuthService, uauth::IUnifiedAuthService>(
        uauth::kUnifiedAuthServiceInterfaceId);
  }

  // Starts the worker thread "login".
  CUnifiedAuthService();
  // Stops the worker thread, then destroys the members. Never runs on the worker
  // thread (see InternalRelease).
  ~CUnifiedAuthService();
  CUnifiedAuthService(const CUnifiedAuthService&) = delete;
  CUnifiedAuthService& operator=(const CUnifiedAuthService&) = delete;

  // uauth::IUnifiedAuthService; each posts its task and returns.
  void Initialize(bool keepConnection, bool keepForToken) override;
  void UnInit() override;
  void DoAuth(const std::wstring& uid, const std::wstring& token, uauth::LoginType tokenType,
              const std::wstring& checkCode) override;
  void DoSecurityAuth(const std::wstring& checkCode, const std::wstring& umid,
                      uauth::SecurityLoginType type) override;
  void DoSecurityMethod() override;
  void DoSecuritySendCode() override;
  void GetVendomoToken(const std::wstring& unused, const std::wstring& bizToken) override;

  // nexalib::INexaListener; channel thread, post to the worker.
  void OnConnectStatus(nexalib::CONNECT_STATE state, const std::string& message) override;
  void OnVConnectStatus(nexalib::CONNECT_STATE state, const std::string& message) override;

 protected:
  // A last reference given back on the worker thread would have the destructor
  // stop the thread it runs on; that one is handed to a thread of its own.
  bool InternalRelease() override;

 private:
  explicit CUnifiedAuthService(const uauth::AuthDependencies& dependencies);

  // What the second-factor answer handler needs from the query that was sent.
  enum AuthDataKind : int32_t { AUTH_DATA_PRODUCTS = 0, AUTH_DATA_GEN_CODE = 1 };

  // Posts `task` to the worker; `from` names the posting operation.
  void PostToWorker(const char* from, const base::Closure& task);

  // Tasks (worker thread).
  void InitializeTask(bool keepConnection, bool keepForToken);
  void UnInitTask();
  void DoAuthTask(const std::wstring& uid, const std::wstring& token, uauth::LoginType tokenType,
                  const std::wstring& checkCode);
  void DoSecurityAuthTask(const std::wstring& checkCode, const std::wstring& umid,
                          uauth::SecurityLoginType type);
  void DoSecurityMethodTask();
  void DoSecuritySendCodeTask();
  // Sends "queryAuthData" and remembers which kind of answer it waits for.
  void SendAuthDataQuery(AuthDataKind kind, const char* type, std::string data);
  void GetVendomoTokenTask(const std::wstring& bizToken);
  void OnConnectStatusTask(nexalib::CONNECT_STATE state);
  void OnVConnectStatusTask(nexalib::CONNECT_STATE state);
  void OnSendCallbackTask(nexalib::SEND_STATE state, const std::string& _interface,
                          const std::string& _method, const std::string& body, uint32_t generation);

  // Completion of every request (channel thread): posts OnSendCallbackTask.
  // `generation` is the login the request was sent for.
  void OnSendCallback(uint32_t generation, nexalib::SEND_STATE state, const std::string& _interface,
                      const std::string& _method, const std::string& body,
                      const nexalib::ReqInfo& info);

  // The transition table and its actions.
  void BuildTransitionTable();
  bool DoNothing();
  bool DoConnect();
  bool DoVConnect();
  bool DoAuthImpl();
  bool DoConnError();
  bool DoConnectTimeOut();
  bool DoRspError();
  bool DoDisconnect();

  // Answer handlers, dispatched by the answer's names.
  void HandleAuthPacket(const std::string& body);
  void HandleSecurityLoginPacket(const std::string& body);
  void HandleSecurityMethodPacket(const std::string& body);
  void HandleGetTokenPacket(const std::string& body);
  void HandleStopedByServer();

  // Closes the virtual connection and returns to ST_IDLE.
  void Close();
  // Close(), then ModelAuthFailParam {code, message}.
  void ReportAuthFail(int32_t code, const std::wstring& message);
  // Sends one logon call on the virtual connection with the request time limit.
  void SendLogonRequest(const RpcName& call, const std::string& payload);
  // The record for a successful login, from the stored login answer.
  uauth::ModelAuthOkParam AuthOkFromLastLogin(const logon::TokenMap& tokens) const;
  // Hands the server time of the stored login answer to the shared time service.
  void UpdateServerTime() const;
  // Queues `record` for the subscribers of `list` on the user-interface thread.
  template <typename P>
  void Notify(uauth::SubscriberList<P>& list, P record);

  nexalib::INexaChannel* const channel_;
  const int requestTimeoutSeconds_;

  int32_t sessionId_ = 0;  // 0 until Initialize: the channel's ids start at 1
  std::string uid_;
  std::string token_;
  std::string checkCode_;
  std::string appName_;
  std::string appVersion_;
  int32_t loginType_ = 0;
  std::string checkCodeSessionId_;  // of the last check-code answer; never cleared
  bool keepConnection_ = false;
  bool keepForToken_ = false;
  logon::LoginRsp lastLogin_;  // the last login answer with result 0 or 9
  int32_t securityLoginType_ = 0;
  int32_t authDataKind_ = AUTH_DATA_PRODUCTS;
  // Counts DoAuth calls. A failed or timed-out request of an abandoned login
  // must not end the login that replaced it.
  uint32_t loginGeneration_ = 0;

  base::Thread worker_;
};

template <typename P>
void CUnifiedAuthService::Notify(uauth::SubscriberList<P>& list, P record) {
  // The record travels by value; the reference keeps the lists alive until it
  // has been delivered or dropped.
  scoped_refptr<CUnifiedAuthService> self(this);
  CSDKServiceTaskPoolGroup::GetInstance()->PostUserNotify(base::Closure(
      [self, subscribers = &list, record = std::move(record)] {
        uauth::DeliverToSubscribers(*subscribers, record);
      }));
}

#endif  // VELKOR_SOURCE_MODEL_UNIFIEDAUTH_UNIFIED_AUTH_SERVICE_H_
