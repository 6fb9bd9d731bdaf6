// The second factor: asking for the account's methods, having a code sent, and
// completing the login with the code or a certificate check.
#include "auth_log.h"
#include "base/strings.h"
#include "logon_json.h"
#include "login_states.h"
#include "unified_auth_service.h"

using namespace uauth;

void CUnifiedAuthService::DoSecurityAuthTask(const std::wstring& checkCode, const std::wstring& umid,
                                             SecurityLoginType type) {
  // Sent in every state; outside ST_NEED_2ND_AUTH the machine goes to -1.
  ProcessEvent(EV_SECURITY_AUTH);
  logon::Login2Req login2;
  login2.uid = lastLogin_.uid;
  login2.data = logon::Login2Json(base::UTF8ToWide(lastLogin_.uid), umid, checkCode);
  login2.secondFactorToken = lastLogin_.secondFactorToken;
  securityLoginType_ = type;
  SendLogonRequest(kRpcLogin2, logon::PackRequest(std::move(login2), logon::kRouteByUid));
}

void CUnifiedAuthService::DoSecurityMethodTask() {
  SendAuthDataQuery(AUTH_DATA_PRODUCTS, logon::kProductsQuery,
                    logon::ProductsQueryJson(base::UTF8ToWide(lastLogin_.uid)));
}

void CUnifiedAuthService::DoSecuritySendCodeTask() {
  SendAuthDataQuery(AUTH_DATA_GEN_CODE, logon::kGenCode,
                    logon::GenCodeJson(base::UTF8ToWide(lastLogin_.uid)));
}

void CUnifiedAuthService::SendAuthDataQuery(AuthDataKind kind, const char* type, std::string data) {
  authDataKind_ = kind;
  logon::AuthDataReq query;
  query.uid = lastLogin_.uid;
  query.type = type;
  query.data = std::move(data);
  query.secondFactorToken = lastLogin_.secondFactorToken;
  SendLogonRequest(kRpcQueryAuthData, logon::PackRequest(std::move(query)));
}

void CUnifiedAuthService::HandleSecurityLoginPacket(const std::string& body) {
  logon::LogonResponse<logon::Login2Rsp> response;
  if (response.UnpackData(body) != codec::PACK_OK) {
    ProcessEvent(EV_RSP_ERROR);
    AUTH_LOG(logging::LOG_ERROR, L"CUnifiedAuthService::HandleSecurityLoginPacket", 557,
             L" unpackData error.");
    return;
  }
  const uint32_t result = response.body.retcode;
  AUTH_LOG(logging::LOG_INFO, L"CUnifiedAuthService::HandleSecurityLoginPacket", 563,
           L" login2Rsp rsp, retcode:%x", result);
  if (result != 0) {
    // A refused code or certificate leaves the state and the connection as they
    // are, so that the host can try again; any other type ends the login.
    const int32_t code = static_cast<int32_t>(result);
    if (securityLoginType_ == SECURITY_LOGIN_CERT) {
      ModelCertVerifyFailParam fail;
      fail.code = code;
      Notify(certVerifyFail, std::move(fail));
    } else if (securityLoginType_ == SECURITY_LOGIN_CODE) {
      ModelCodeVerifyFailParam fail;
      fail.code = code;
      Notify(codeVerifyFail, std::move(fail));
    } else {
      ReportAuthFail(code, std::wstring());
    }
    AUTH_LOG(logging::LOG_ERROR, L"CUnifiedAuthService::HandleSecurityLoginPacket", 606,
             L"HandleSecurityLoginPacket login fail,errcode:%x", result);
    return;
  }
  ProcessEvent(EV_SECURITY_LOGIN_OK);
  UpdateServerTime();
  // The device fields belong to the first step only.
  Notify(authOk, AuthOkFromLastLogin(response.body.tokens));
  AUTH_LOG(logging::LOG_INFO, L"CUnifiedAuthService::HandleSecurityLoginPacket", 585, L"login ok.");
}

void CUnifiedAuthService::HandleSecurityMethodPacket(const std::string& body) {
  logon::LogonResponse<logon::AuthDataRsp> response;
  if (response.UnpackData(body) != codec::PACK_OK) {
    ProcessEvent(EV_RSP_ERROR);
    AUTH_LOG(logging::LOG_ERROR, L"CUnifiedAuthService::HandleSecurityMethodPacket", 618,
             L"unpackData error.");
    return;
  }
  const logon::AuthDataRsp& answer = response.body;
  AUTH_LOG(logging::LOG_INFO, L"CUnifiedAuthService::HandleSecurityMethodPacket", 624,
           L"authDataRsp rsp, retcode:%x", answer.retcode);
  if (answer.retcode != 0) {
    // Failures follow the last query sent; a failed method query ends the attempt.
    const int32_t code = static_cast<int32_t>(answer.retcode);
    if (authDataKind_ == AUTH_DATA_GEN_CODE) {
      ModelSendCodeFailParam fail;
      fail.code = code;
      Notify(sendCodeFail, std::move(fail));
    } else {
      ReportAuthFail(code, std::wstring());
    }
    AUTH_LOG(logging::LOG_ERROR, L"CUnifiedAuthService::HandleSecurityMethodPacket", 656,
             L"HandleSecurityMethodPacket error, retcode:%x", answer.retcode);
    return;
  }
  // Successes follow the answer's own type; the record goes out parsed or not.
  if (answer.type == logon::kProductsQuery) {
    Notify(securityProduct, logon::ReadSecurityProduct(answer.data));
  } else if (answer.type == logon::kGenCode) {
    Notify(securityGenCode, logon::ReadSecurityGenCode(answer.data));
  }
}
