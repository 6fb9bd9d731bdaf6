// The authentication service: signs a user in to the account service (password
// or token, check code, second factor) and exchanges the login for a web token.
// Every operation returns at once; each result arrives as a record in one of the
// twelve subscriber lists, on the user-interface thread of the SDK service.
//
//   uauth::IUnifiedAuthService* auth = nullptr;
//   factory->CreateInstance(uauth::kUnifiedAuthServiceClassId,
//                           uauth::kUnifiedAuthServiceInterfaceId,
//                           reinterpret_cast<void**>(&auth));
//   auth->authOk.Add(base::Callback<void(uauth::ModelAuthOkParam)>(&OnLoggedIn));
//   auth->authFail.Add(base::Callback<void(uauth::ModelAuthFailParam)>(&OnRefused));
//   auth->Initialize(false, false);
//   auth->DoAuth(L"alice", L"secret", uauth::LoginType{0}, L"");
#ifndef VELKOR_INCLUDE_UAUTH_UNIFIED_AUTH_SERVICE_H_
#define VELKOR_INCLUDE_UAUTH_UNIFIED_AUTH_SERVICE_H_

#include "base/component_registry.h"
#include "uauth/auth_records.h"
#include "uauth/subscriber_list.h"
#include "zeph/zeph_com.h"

namespace uauth {

inline constexpr char kUnifiedAuthServiceClassId[] = "{1C9C6FC8-4046-466C-8A13-FA4D5613F6CE}";
inline constexpr char kUnifiedAuthServiceInterfaceId[] = "{7E476BF1-F030-42DC-AAFA-D91187E4B195}";

class IUnifiedAuthService : public zeph::IZephCOMRefCounted {
 public:
  // Registers with the channel and prepares the login. After a successful
  // first-step login the connection is kept open when either flag is set (a web
  // token exchange needs it); after a token exchange only with keepConnection.
  virtual void Initialize(bool keepConnection, bool keepForToken) = 0;
  // Forgets the flags, abandons the login state and stops the channel.
  virtual void UnInit() = 0;
  // Starts a login, abandoning one under way. `checkCode` answers an earlier
  // ModelNeedCheckCodeParam; empty otherwise.
  virtual void DoAuth(const zeph::ZephStringT<wchar_t>& uid, const zeph::ZephStringT<wchar_t>& token,
                      LoginType tokenType, const zeph::ZephStringT<wchar_t>& checkCode) = 0;
  // Completes a login that answered ModelNeed2ndAuthParam, with the code the
  // user received (or a certificate check); `type` picks the failure record.
  virtual void DoSecurityAuth(const zeph::ZephStringT<wchar_t>& checkCode,
                              const zeph::ZephStringT<wchar_t>& umid, SecurityLoginType type) = 0;
  // Asks which second-factor methods the account has: ModelSecurityProductParam.
  virtual void DoSecurityMethod() = 0;
  // Has a verification code sent to the user's phone: ModelSecurityGenCodeParam.
  virtual void DoSecuritySendCode() = 0;
  // Exchanges a business token for a web token on the login's open connection:
  // ModelVendomoTokenParam. The first argument is not used.
  virtual void GetVendomoToken(const zeph::ZephStringT<wchar_t>& unused,
                               const zeph::ZephStringT<wchar_t>& bizToken) = 0;

  // The subscriber lists, one per record, in this fixed order.
  SubscriberList<ModelAuthOkParam> authOk;
  SubscriberList<ModelNeedCheckCodeParam> needCheckCode;
  SubscriberList<ModelNeed2ndAuthParam> need2ndAuth;
  SubscriberList<ModelSecurityProductParam> securityProduct;
  SubscriberList<ModelSecurityGenCodeParam> securityGenCode;
  SubscriberList<ModelSendCodeFailParam> sendCodeFail;
  SubscriberList<ModelVendomoTokenParam> vendomoToken;
  SubscriberList<ModelCertVerifyFailParam> certVerifyFail;
  SubscriberList<ModelCodeVerifyFailParam> codeVerifyFail;
  SubscriberList<ModelVenDomoTokenFailParam> vendomoTokenFail;
  SubscriberList<ModelAuthFailParam> authFail;
  SubscriberList<ModelNetDisConnectParam> netDisconnect;

 protected:
  IUnifiedAuthService() = default;
  ~IUnifiedAuthService() = default;
};

}  // namespace uauth

#endif  // VELKOR_INCLUDE_UAUTH_UNIFIED_AUTH_SERVICE_H_
