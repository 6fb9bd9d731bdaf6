// The service object: its thread, the public operations, channel events, the
// dispatch of answers and the closing of the virtual connection.
#include "unified_auth_service.h"

#include <thread>

#include "auth_dependencies.h"
#include "auth_log.h"
#include "base/location.h"
#include "base/strings.h"
#include "login_states.h"
#include "logon_json.h"
#include "registry_instance.h"
#include "uauth/time_service.h"

namespace {

bool IsLogonCall(const RpcName& call, const std::string& _interface, const std::string& _method) {
  return _interface == call.interface_name && _method == call.method;
}

}  // namespace

CUnifiedAuthService::CUnifiedAuthService() : CUnifiedAuthService(uauth::CurrentAuthDependencies()) {}

CUnifiedAuthService::CUnifiedAuthService(const uauth::AuthDependencies& dependencies)
    : channel_(dependencies.channel),
      requestTimeoutSeconds_(dependencies.requestTimeoutSeconds),
      worker_("login") {
  worker_.StartWithOptions(base::Thread::Options());
}

CUnifiedAuthService::~CUnifiedAuthService() { worker_.Stop(); }

bool CUnifiedAuthService::InternalRelease() {
  if (CZephCOMRootObject::InternalRelease()) return true;
  if (!worker_.message_loop()->RunsTasksOnCurrentThread()) return false;
  // Keep the object for one more reference and give that back elsewhere; the
  // worker finishes its current task meanwhile, so the join there is short.
  InternalAddRef();
  uauth::IUnifiedAuthService* self = this;
  std::thread([self] { self->Release(); }).detach();
  return true;
}

void CUnifiedAuthService::PostToWorker(const char* from, const base::Closure& task) {
  worker_.message_loop()->PostTask(tracked_objects::Location(from, "UnifiedAuthService", 0), task);
}

void CUnifiedAuthService::Initialize(bool keepConnection, bool keepForToken) {
  PostToWorker("CUnifiedAuthService::Initialize",
               base::Bind(&CUnifiedAuthService::InitializeTask, this, keepConnection, keepForToken));
}

void CUnifiedAuthService::UnInit() {
  PostToWorker("CUnifiedAuthService::UnInit", base::Bind(&CUnifiedAuthService::UnInitTask, this));
}

void CUnifiedAuthService::DoAuth(const std::wstring& uid, const std::wstring& token,
                                 uauth::LoginType tokenType, const std::wstring& checkCode) {
  PostToWorker("CUnifiedAuthService::DoAuth",
               base::Bind(&CUnifiedAuthService::DoAuthTask, this, uid, token, tokenType, checkCode));
}

void CUnifiedAuthService::DoSecurityAuth(const std::wstring& checkCode, const std::wstring& umid,
                                         uauth::SecurityLoginType type) {
  PostToWorker("CUnifiedAuthService::DoSecurityAuth",
               base::Bind(&CUnifiedAuthService::DoSecurityAuthTask, this, checkCode, umid, type));
}

void CUnifiedAuthService::DoSecurityMethod() {
  PostToWorker("CUnifiedAuthService::DoSecurityMethod",
               base::Bind(&CUnifiedAuthService::DoSecurityMethodTask, this));
}

void CUnifiedAuthService::DoSecuritySendCode() {
  PostToWorker("CUnifiedAuthService::DoSecuritySendCode",
               base::Bind(&CUnifiedAuthService::DoSecuritySendCodeTask, this));
}

void CUnifiedAuthService::GetVendomoToken(const std::wstring& /*unused*/, const std::wstring& bizToken) {
  PostToWorker("CUnifiedAuthService::GetVendomoToken",
               base::Bind(&CUnifiedAuthService::GetVendomoTokenTask, this, bizToken));
}

void CUnifiedAuthService::OnConnectStatus(nexalib::CONNECT_STATE state, const std::string& /*message*/) {
  PostToWorker("CUnifiedAuthService::OnConnectStatus",
               base::Bind(&CUnifiedAuthService::OnConnectStatusTask, this, state));
}

void CUnifiedAuthService::OnVConnectStatus(nexalib::CONNECT_STATE state, const std::string& /*message*/) {
  PostToWorker("CUnifiedAuthService::OnVConnectStatus",
               base::Bind(&CUnifiedAuthService::OnVConnectStatusTask, this, state));
}

void CUnifiedAuthService::OnSendCallback(uint32_t generation, nexalib::SEND_STATE state,
                                         const std::string& _interface, const std::string& _method,
                                         const std::string& body, const nexalib::ReqInfo& /*info*/) {
  PostToWorker("CUnifiedAuthService::OnSendCallback",
               base::Bind(&CUnifiedAuthService::OnSendCallbackTask, this, state, _interface, _method,
                          body, generation));
}

void CUnifiedAuthService::InitializeTask(bool keepConnection, bool keepForToken) {
  AUTH_LOG(logging::LOG_INFO, L"CUnifiedAuthService::InitializeTask", 104, L" currState = %d.",
           GetState());
  keepConnection_ = keepConnection;
  keepForToken_ = keepForToken;
  // Unique per service object, so that each gets a virtual connection of its own.
  const std::wstring name =
      base::StringPrintf(L"unifidauth_%llx", static_cast<unsigned long long>(
                                                  reinterpret_cast<uintptr_t>(this)));
  channel_->GetSessionId(base::WideToUTF8(name), &sessionId_);
  channel_->AddListener(this, sessionId_);
  BuildTransitionTable();
  ResetState();
}

void CUnifiedAuthService::UnInitTask() {
  keepConnection_ = false;
  keepForToken_ = false;
  ResetState();
  channel_->Stop();
}

void CUnifiedAuthService::OnConnectStatusTask(nexalib::CONNECT_STATE state) {
  AUTH_LOG(logging::LOG_INFO, L"CUnifiedAuthService::OnConnectStatusTask", 215,
           L"currState = %d, state = %d.", GetState(), static_cast<int>(state));
  switch (state) {
    case nexalib::CS_DISCONNECTED:
    case nexalib::CS_TIMEOUT:
    case nexalib::CS_FAILED:
      ProcessEvent(uauth::EV_CONN_ERROR);
      break;
    case nexalib::CS_CONNECTED:
      // Reported to every listener whenever the link comes up or anyone starts
      // the channel while it is up; only a login that waits for it goes on.
      if (GetState() == uauth::ST_CONNECTING) ProcessEvent(uauth::EV_CONNECTED);
      break;
    case nexalib::CS_CLOSED_BY_SERVER:
    case nexalib::CS_CLOSED:
      break;
  }
}

void CUnifiedAuthService::OnVConnectStatusTask(nexalib::CONNECT_STATE state) {
  AUTH_LOG(logging::LOG_INFO, L"CUnifiedAuthService::OnVConnectStatusTask", 239,
           L"currState = %d, state = %d.", GetState(), static_cast<int>(state));
  switch (state) {
    case nexalib::CS_DISCONNECTED:
      ProcessEvent(uauth::EV_VCONN_ERROR);
      break;
    // Answers to opening the virtual connection. Outside ST_VCONNECTING they
    // belong to the open request of an abandoned login (a time-out arrives up to
    // the channel's control limit later) and must not end the current one.
    case nexalib::CS_CONNECTED:
      if (GetState() == uauth::ST_VCONNECTING) ProcessEvent(uauth::EV_VCONNECTED);
      break;
    case nexalib::CS_FAILED:
      if (GetState() == uauth::ST_VCONNECTING) ProcessEvent(uauth::EV_VCONN_ERROR);
      break;
    case nexalib::CS_TIMEOUT:
      if (GetState() == uauth::ST_VCONNECTING) ProcessEvent(uauth::EV_TIMEOUT);
      break;
    case nexalib::CS_CLOSED_BY_SERVER:
      HandleStopedByServer();
      break;
    case nexalib::CS_CLOSED:
      break;
  }
}

void CUnifiedAuthService::HandleStopedByServer() {
  AUTH_LOG(logging::LOG_INFO, L"CUnifiedAuthService::HandleStopedByServer", 543, L"currState = %d.",
           GetState());
}

void CUnifiedAuthService::OnSendCallbackTask(nexalib::SEND_STATE state, const std::string& _interface,
                                             const std::string& _method, const std::string& body,
                                             uint32_t generation) {
  AUTH_LOG(logging::LOG_INFO, L"CUnifiedAuthService::OnSendCallbackTask", 274, L"currState = %d.",
           GetState());
  if (state != nexalib::SEND_OK) {
    // A request of an abandoned login that fails late says nothing about the
    // login under way.
    if (generation != loginGeneration_) return;
    ProcessEvent(state == nexalib::SEND_TIMEOUT ? uauth::EV_TIMEOUT : uauth::EV_RSP_ERROR);
    return;
  }
  // Answers are handled whatever the state: a late answer still gets its record.
  if (IsLogonCall(kRpcLogin, _interface, _method)) {
    HandleAuthPacket(body);
  } else if (IsLogonCall(kRpcLogin2, _interface, _method)) {
    HandleSecurityLoginPacket(body);
  } else if (IsLogonCall(kRpcQueryAuthData, _interface, _method)) {
    HandleSecurityMethodPacket(body);
  } else if (IsLogonCall(kRpcGetVendomoTokenByBizToken, _interface, _method)) {
    HandleGetTokenPacket(body);
  }
}

void CUnifiedAuthService::SendLogonRequest(const RpcName& call, const std::string& payload) {
  channel_->AsynSend(sessionId_, call.interface_name, call.method, payload,
                     base::Bind(&CUnifiedAuthService::OnSendCallback, this, loginGeneration_),
                     requestTimeoutSeconds_);
}

void CUnifiedAuthService::Close() {
  AUTH_LOG(logging::LOG_INFO, L"CUnifiedAuthService::Close", 447, L"currState = %d.", GetState());
  ResetState();
  // Before Initialize there is no virtual connection to close.
  if (sessionId_ != 0) channel_->DestroyVConn(sessionId_);
}

void CUnifiedAuthService::ReportAuthFail(int32_t code, const std::wstring& message) {
  Close();
  uauth::ModelAuthFailParam fail;
  fail.code = code;
  fail.message = message;
  Notify(authFail, fail);
}

uauth::ModelAuthOkParam CUnifiedAuthService::AuthOkFromLastLogin(const logon::TokenMap& tokens) const {
  uauth::ModelAuthOkParam ok;
  ok.shortUid = logon::ShortUid(lastLogin_.uid);
  ok.userId = base::UTF8ToWide(lastLogin_.userId);
  ok.loginToken = base::UTF8ToWide(logon::LoginTokenOf(tokens));
  ok.serverTime = lastLogin_.serverTime;
  return ok;
}

void CUnifiedAuthService::UpdateServerTime() const {
  scoped_refptr<uauth::ITimeService> time;
  GetRegistryInstance(uauth::kTimeServiceClassId, uauth::kTimeServiceInterfaceId, &time);
  if (time) time->SetServerTime(lastLogin_.serverTime);
}
