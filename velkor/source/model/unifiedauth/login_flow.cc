// The first login step: the transition table, its actions and the login answer.
#include <cstdint>
#include <map>
#include <string>

#include "auth_log.h"
#include "base/file_util.h"
#include "base/strings.h"
#include "logon_json.h"
#include "login_states.h"
#include "sdk_config.h"
#include "sdk_delegate_holder.h"
#include "security_data.h"
#include "unified_auth_service.h"

using namespace uauth;

namespace {

// Answers of the first login step besides success and refusal.
constexpr uint32_t kResultNeedCheckCode = 8;
constexpr uint32_t kResultNeed2ndAuth = 9;

constexpr int64_t kClientType = 8;

// A key missing from the answer's extra map reads as empty.
std::string ExtraValue(const logon::LoginRsp& login, const std::string& key) {
  auto found = login.extra.find(key);
  return found == login.extra.end() ? std::string() : found->second;
}

}  // namespace

void CUnifiedAuthService::BuildTransitionTable() {
  struct Row {
    LoginEvent event;
    LoginState from;
    LoginState to;
    bool (CUnifiedAuthService::*action)();
  };
  static constexpr Row kRows[] = {
      {EV_AUTH, ST_IDLE, ST_CONNECTING, &CUnifiedAuthService::DoConnect},
      {EV_CONNECTED, ST_CONNECTING, ST_VCONNECTING, &CUnifiedAuthService::DoVConnect},
      {EV_VCONNECTED, ST_VCONNECTING, ST_AUTHING, &CUnifiedAuthService::DoAuthImpl},
      {EV_LOGIN_OK, ST_AUTHING, ST_LOGGED_IN, &CUnifiedAuthService::DoNothing},
      {EV_NEED_CHECK_CODE, ST_AUTHING, ST_NEED_CHECK_CODE, &CUnifiedAuthService::DoNothing},
      {EV_NEED_2ND_AUTH, ST_AUTHING, ST_NEED_2ND_AUTH, &CUnifiedAuthService::DoNothing},
      {EV_SECURITY_AUTH, ST_NEED_2ND_AUTH, ST_2ND_AUTHING, &CUnifiedAuthService::DoNothing},
      {EV_SECURITY_LOGIN_OK, ST_2ND_AUTHING, ST_LOGGED_IN, &CUnifiedAuthService::DoNothing},
      {EV_CONN_ERROR, ST_LOGGED_IN, ST_DISCONNECTED, &CUnifiedAuthService::DoDisconnect},
      {EV_VCONN_ERROR, ST_LOGGED_IN, ST_DISCONNECTED, &CUnifiedAuthService::DoDisconnect},
      {EV_AUTH, ST_DISCONNECTED, ST_CONNECTING, &CUnifiedAuthService::DoConnect},
      {EV_CONN_ERROR, ST_CONNECTING, ST_FAILED, &CUnifiedAuthService::DoConnError},
      {EV_CONN_ERROR, ST_VCONNECTING, ST_FAILED, &CUnifiedAuthService::DoConnError},
      {EV_CONN_ERROR, ST_AUTHING, ST_FAILED, &CUnifiedAuthService::DoConnError},
      {EV_VCONN_ERROR, ST_VCONNECTING, ST_FAILED, &CUnifiedAuthService::DoConnError},
      {EV_VCONN_ERROR, ST_AUTHING, ST_FAILED, &CUnifiedAuthService::DoConnError},
      {EV_TIMEOUT, ST_VCONNECTING, ST_FAILED, &CUnifiedAuthService::DoConnectTimeOut},
      {EV_TIMEOUT, ST_AUTHING, ST_FAILED, &CUnifiedAuthService::DoConnectTimeOut},
      {EV_RSP_ERROR, ST_AUTHING, ST_FAILED, &CUnifiedAuthService::DoRspError},
  };
  SetInitialState(ST_IDLE);
  // Each action holds a counted reference to the service.
  for (const Row& row : kRows) AddTransition(row.event, row.from, row.to, base::Bind(row.action, this));
}

void CUnifiedAuthService::DoAuthTask(const std::wstring& uid, const std::wstring& token,
                                     LoginType tokenType, const std::wstring& checkCode) {
  // The token is the user's password or login token: only its length is logged.
  AUTH_LOG(logging::LOG_INFO, L"CUnifiedAuthService::DoAuthTask", 130,
           L" currState = %d, uid = %ls, token length = %d, tokenType = %d.", GetState(), uid.c_str(),
           static_cast<int>(token.size()), static_cast<int>(tokenType));
  Close();
  ++loginGeneration_;
  uid_ = logon::Utf8UpToNul(uid);
  token_ = logon::Utf8UpToNul(token);
  checkCode_ = logon::Utf8UpToNul(checkCode);
  SdkDelegateHolder& delegate = SdkDelegateHolder::Get();
  appName_ = base::WideToUTF8(delegate.GetAppName());
  appVersion_ = base::WideToUTF8(delegate.GetAppVersion());
  loginType_ = tokenType;
  ProcessEvent(EV_AUTH);
}

bool CUnifiedAuthService::DoNothing() {
  AUTH_LOG(logging::LOG_INFO, L"CUnifiedAuthService::DoNothing", 315, L"currState = %d.", GetState());
  return true;
}

bool CUnifiedAuthService::DoConnect() {
  AUTH_LOG(logging::LOG_INFO, L"CUnifiedAuthService::DoConnect", 322, L"currState = %d.", GetState());
  SdkConfig& config = SdkConfig::Get();
  const std::wstring allotUrl = config.GetValue(SdkConfig::kNexaAllot);
  SdkDelegateHolder& delegate = SdkDelegateHolder::Get();
  const base::FilePath dataDir = delegate.GetDataDir().Append(L"common");
  if (!base::DirectoryExists(dataDir)) file_util::CreateDirectoryW(dataDir);
  const SdkDelegateHolder::Proxy hostProxy = delegate.GetProxy();
  nexalib::NetProxy proxy;
  proxy.type = static_cast<net::HTTP_CLIENT_RPOXY_TYPE>(hostProxy.type);
  proxy.host = hostProxy.host;
  proxy.port = hostProxy.port;
  proxy.user = hostProxy.user;
  proxy.password = hostProxy.password;
  proxy.unused = hostProxy.unused;
  const std::vector<std::wstring> addresses = config.GetAddresses();
  const std::wstring defaultServer = addresses.empty() ? std::wstring() : addresses.front();
  // A channel that is already up answers at once with CS_CONNECTED.
  channel_->Start(proxy, allotUrl, dataDir.value(), defaultServer);
  return true;
}

bool CUnifiedAuthService::DoVConnect() {
  AUTH_LOG(logging::LOG_INFO, L"CUnifiedAuthService::DoVConnect", 345, L"currState = %d.", GetState());
  channel_->CreateVConn(sessionId_, std::string(), appName_, uid_);
  return true;
}

bool CUnifiedAuthService::DoAuthImpl() {
  AUTH_LOG(logging::LOG_INFO, L"CUnifiedAuthService::DoAuthImpl", 354, L"currState = %d.", GetState());
  logon::LoginReq login;
  login.loginType = static_cast<uint8_t>(loginType_ & 0xFF);
  login.uid = uid_;
  login.token = token_;
  login.appVersion = appVersion_;
  login.appKey = "COMM_" + appName_;
  login.authScheme = "cert";
  login.hasCheckCode = checkCode_.empty() ? 0 : 1;
  if (!checkCode_.empty()) {
    login.checkCodeInfo = {{"checkcode_sessionid", checkCodeSessionId_},
                           {"checkcode_code", checkCode_}};
  }
  login.clientType = kClientType;
  SecurityData& security = SecurityData::Get();
  security.Update(uid_);
  login.deviceInfo = security.GetFields();
  login.deviceInfo["umid"] = "UD" + base::WideToUTF8(SdkDelegateHolder::Get().GetUmid());
  SendLogonRequest(kRpcLogin, logon::PackRequest(std::move(login), logon::kRouteByUid));
  return true;
}

bool CUnifiedAuthService::DoConnError() {
  AUTH_LOG(logging::LOG_INFO, L"CUnifiedAuthService::DoConnError", 390, L"currState = %d.", GetState());
  ReportAuthFail(AUTH_ERR_CONNECT, std::wstring());
  return true;
}

bool CUnifiedAuthService::DoConnectTimeOut() {
  AUTH_LOG(logging::LOG_INFO, L"CUnifiedAuthService::DoConnectTimeOut", 399, L"currState = %d.",
           GetState());
  ReportAuthFail(AUTH_ERR_TIMEOUT, std::wstring());
  return true;
}

bool CUnifiedAuthService::DoRspError() {
  AUTH_LOG(logging::LOG_INFO, L"CUnifiedAuthService::DoRspError", 408, L"currState = %d.", GetState());
  ReportAuthFail(AUTH_ERR_RESPONSE, std::wstring());
  return true;
}

bool CUnifiedAuthService::DoDisconnect() {
  AUTH_LOG(logging::LOG_INFO, L"CUnifiedAuthService::DoDisconnect", 417, L"currState = %d.",
           GetState());
  Close();
  Notify(netDisconnect, ModelNetDisConnectParam());
  return true;
}

void CUnifiedAuthService::HandleAuthPacket(const std::string& body) {
  AUTH_LOG(logging::LOG_INFO, L"CUnifiedAuthService::HandleAuthPacket", 457, L"currState = %d.",
           GetState());
  logon::LogonResponse<logon::LoginRsp> response;
  if (response.UnpackData(body) != codec::PACK_OK) {
    ProcessEvent(EV_RSP_ERROR);
    AUTH_LOG(logging::LOG_ERROR, L"CUnifiedAuthService::HandleAuthPacket", 463, L"unpack error.");
    return;
  }
  const logon::LoginRsp& answer = response.body;
  if (answer.retcode == 0) {
    ProcessEvent(EV_LOGIN_OK);
    lastLogin_ = answer;
    UpdateServerTime();
    ModelAuthOkParam ok = AuthOkFromLastLogin(answer.tokens);
    SecurityData& security = SecurityData::Get();
    ok.machineId = base::UTF8ToWide(security.GetMachineId());
    ok.adapterDigest = base::UTF8ToWide(security.GetAdapterDigest());
    ok.uaData = base::UTF8ToWide(security.GetUaData());
    Notify(authOk, std::move(ok));
    if (!keepForToken_ && !keepConnection_) Close();
    AUTH_LOG(logging::LOG_INFO, L"CUnifiedAuthService::HandleAuthPacket", 498, L"login ok.");
  } else if (answer.retcode == kResultNeedCheckCode) {
    ProcessEvent(EV_NEED_CHECK_CODE);
    const std::string sessionId = ExtraValue(answer, "checkcode_sessionid");
    ModelNeedCheckCodeParam needCode;
    needCode.checkCodeUrl =
        base::UTF8ToWide(ExtraValue(answer, "checkcode_url")) + L"=" + base::UTF8ToWide(sessionId);
    checkCodeSessionId_ = sessionId;
    Notify(needCheckCode, std::move(needCode));
  } else if (answer.retcode == kResultNeed2ndAuth) {
    ProcessEvent(EV_NEED_2ND_AUTH);
    ModelNeed2ndAuthParam need2nd;
    need2nd.shortUid = logon::ShortUid(answer.uid);
    need2nd.userId = base::UTF8ToWide(answer.userId);
    need2nd.verifyHint = base::UTF8ToWide(answer.verifyHint);
    need2nd.serverTime = answer.serverTime;
    lastLogin_ = answer;
    Notify(need2ndAuth, std::move(need2nd));
    AUTH_LOG(logging::LOG_INFO, L"CUnifiedAuthService::HandleAuthPacket", 525,
             L"login need 2nd auth retcode = %d.", static_cast<int>(answer.retcode));
  } else {
    // Refused: the report returns the state to ST_IDLE; no event is fed.
    ReportAuthFail(static_cast<int32_t>(answer.retcode), base::UTF8ToWide(ExtraValue(answer, "errmsg")));
    AUTH_LOG(logging::LOG_INFO, L"CUnifiedAuthService::HandleAuthPacket", 531,
             L"login error retcode = %d.", static_cast<int>(answer.retcode));
  }
}
