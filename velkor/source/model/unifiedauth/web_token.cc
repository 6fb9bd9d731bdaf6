// The web token exchange: a business token for the signing key and web-pass
// suffix of signed sign-on URLs.
#include "auth_log.h"
#include "base/strings.h"
#include "logon_json.h"
#include "registry_instance.h"
#include "security_data.h"
#include "uauth/sso_service.h"
#include "unified_auth_service.h"

using namespace uauth;

void CUnifiedAuthService::GetVendomoTokenTask(const std::wstring& bizToken) {
  logon::BizTokenReq exchange;
  exchange.uid = lastLogin_.uid;
  exchange.machineId = SecurityData::Get().GetMachineId();
  exchange.bizToken = logon::Utf8UpToNul(bizToken);
  SendLogonRequest(kRpcGetVendomoTokenByBizToken, logon::PackRequest(std::move(exchange)));
}

void CUnifiedAuthService::HandleGetTokenPacket(const std::string& body) {
  logon::LogonResponse<logon::BizTokenRsp> response;
  if (response.UnpackData(body) != codec::PACK_OK) {
    ModelVenDomoTokenFailParam fail;
    fail.code = AUTH_ERR_RESPONSE;
    Notify(vendomoTokenFail, std::move(fail));
    AUTH_LOG(logging::LOG_ERROR, L"CUnifiedAuthService::HandleGetTokenPacket", 670,
             L"HandleGetTokenPacket unpackData error.");
    return;
  }
  const logon::BizTokenRsp& answer = response.body;
  if (answer.retcode != 0) {
    ModelVenDomoTokenFailParam fail;
    fail.code = answer.retcode;
    Notify(vendomoTokenFail, std::move(fail));
  } else {
    ModelVendomoTokenParam token;
    token.signKey = base::UTF8ToWide(answer.signKey);
    token.webPassSuffix = base::UTF8ToWide(answer.webPassSuffix);
    token.tokenExtra = answer.tokenExtra;
    // Before the record: a sign-on URL asked for from the host's callback is
    // already signed with the new key.
    scoped_refptr<ISSOService> signOn;
    GetRegistryInstance(kSSOServiceClassId, kSSOServiceInterfaceId, &signOn);
    if (signOn) signOn->SetSignOnInfo(base::UTF8ToWide(lastLogin_.uid), token.signKey, token.webPassSuffix);
    Notify(vendomoToken, std::move(token));
  }
  if (!keepConnection_) Close();
}
