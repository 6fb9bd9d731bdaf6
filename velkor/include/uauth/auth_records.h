// The records that the authentication service hands to the host's subscribers,
// one type per subscriber list, and the enumerations of its operations.
#ifndef VELKOR_INCLUDE_UAUTH_AUTH_RECORDS_H_
#define VELKOR_INCLUDE_UAUTH_AUTH_RECORDS_H_

#include <cstdint>
#include <string>

namespace uauth {

// Chosen by the host and not interpreted by the library: its low 8 bits are the
// first field of the login request, and the account service gives them meaning
// (a password, or one kind of token).
enum LoginType : int32_t {};

// Selects the failure record of a refused second-factor login.
enum SecurityLoginType : int32_t {
  SECURITY_LOGIN_CERT = 0,  // ModelCertVerifyFailParam
  SECURITY_LOGIN_CODE = 1,  // ModelCodeVerifyFailParam
  // Any other value: ModelAuthFailParam, and the login ends.
};

// The library's own failure codes; every other code is the server's result.
enum AuthErrorCode : int32_t {
  AUTH_ERR_CONNECT = -2,   // the channel or the virtual connection failed or was lost
  AUTH_ERR_TIMEOUT = -4,   // opening the virtual connection or a request timed out
  AUTH_ERR_RESPONSE = -5,  // an answer could not be decoded, or the request failed
};

// The login succeeded.
struct ModelAuthOkParam {
  std::wstring shortUid;       // the account's uid without its first 8 characters
  std::wstring userId;
  std::wstring loginToken;     // empty when the answer carries none
  std::wstring machineId;      // device evidence sent with the login; empty after
  std::wstring adapterDigest;  // a second-factor login
  std::wstring uaData;
  int64_t serverTime = 0;      // seconds
};

// The account requires a second factor (see DoSecurityMethod and DoSecurityAuth).
struct ModelNeed2ndAuthParam {
  std::wstring shortUid;
  std::wstring userId;
  std::wstring verifyHint;
  int64_t serverTime = 0;
};

// The server requires a check code: show the picture at this address, then call
// DoAuth again with what the user read.
struct ModelNeedCheckCodeParam {
  std::wstring checkCodeUrl;  // the picture's URL, "=", the check-code session id
};

// The second-factor methods of the account.
struct ModelSecurityProductParam {
  bool isSuccess = false;
  bool phone = false;          // a verification code can be sent to a phone
  bool cert = false;           // certificate verification is available
  bool reservedFlag = false;   // always false
  std::wstring phoneNo;
  std::wstring order;
  std::wstring reservedText;   // always empty
};

// The answer to a request for a verification code.
struct ModelSecurityGenCodeParam {
  bool isSuccess = false;
  std::wstring checkType;
  std::wstring message;
};

// A web token: sign-on URLs are signed with it from now on.
struct ModelVendomoTokenParam {
  std::wstring signKey;
  std::wstring webPassSuffix;
  int32_t tokenExtra = 0;
};

// The shape of every failure record. Only a refused first-step login carries a
// message (the server's text); the code is an AuthErrorCode or the server's result.
struct ModelFailParam {
  int32_t code = 0;
  std::wstring message;
};

// Distinct types so that each failure has its own subscriber list.
struct ModelAuthFailParam : ModelFailParam {};
struct ModelSendCodeFailParam : ModelFailParam {};
struct ModelCodeVerifyFailParam : ModelFailParam {};
struct ModelCertVerifyFailParam : ModelFailParam {};
struct ModelVenDomoTokenFailParam : ModelFailParam {};

// The connection was lost after the login, while it was kept open.
struct ModelNetDisConnectParam {};

}  // namespace uauth

#endif  // VELKOR_INCLUDE_UAUTH_AUTH_RECORDS_H_
