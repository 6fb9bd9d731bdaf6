// The sign-on service: turns the logged-in state into a signed web login URL.
//
//   std::wstring url;
//   sso->SignIn(L"https://example.invalid/after/login", &url);
#ifndef VELKOR_INCLUDE_UAUTH_SSO_SERVICE_H_
#define VELKOR_INCLUDE_UAUTH_SSO_SERVICE_H_

#include <cstdint>

#include "base/component_registry.h"
#include "zeph/zeph_com.h"

namespace uauth {

inline constexpr char kSSOServiceClassId[] = "{F52BEF9D-CA51-4648-86B8-30A937B5A4D0}";
inline constexpr char kSSOServiceInterfaceId[] = "{CACA972D-7187-4A49-A7B0-4F6C83C10F72}";

class ISSOService : public zeph::IZephCOMRefCounted {
 public:
  // Replaces *url with the sign-on URL that leads on to `default_url`, signed
  // with the credentials last given to SetSignOnInfo and the server time.
  // Returns 0.
  virtual int32_t SignIn(const zeph::ZephStringT<wchar_t>& default_url,
                         zeph::ZephStringT<wchar_t>* url) = 0;
  // Keeps the credentials of a web token exchange for later URLs. `sign_key`
  // only signs and is never sent. Returns 0.
  virtual int32_t SetSignOnInfo(const zeph::ZephStringT<wchar_t>& uid,
                                const zeph::ZephStringT<wchar_t>& sign_key,
                                const zeph::ZephStringT<wchar_t>& web_pass_suffix) = 0;

 protected:
  ~ISSOService() = default;
};

}  // namespace uauth

#endif  // VELKOR_INCLUDE_UAUTH_SSO_SERVICE_H_
