// The sign-on service: signed web login URLs from the credentials of the last
// web token exchange and the server time.
#ifndef VELKOR_SOURCE_MODEL_SERVICE_SSO_SERVICE_H_
#define VELKOR_SOURCE_MODEL_SERVICE_SSO_SERVICE_H_

#include <string>

#include "base/lock.h"
#include "uauth/sso_service.h"
#include "zeph_object.h"

class CSSOService : public zeph::CZephCOMRootObject<zeph::CCOMThreadSafeRefPolicy>,
                    public uauth::ISSOService {
 public:
  static constexpr char kClassId[] = "{F52BEF9D-CA51-4648-86B8-30A937B5A4D0}";
  static constexpr char kClassName[] = "SSOService";
  static const zeph::InterfaceMapEntry* GetInterfaceMap() {
    return zeph::SingleInterfaceMap<CSSOService, uauth::ISSOService>(uauth::kSSOServiceInterfaceId);
  }

  // Host's thread. Reads configuration, server time and delegate anew each time.
  int32_t SignIn(const std::wstring& default_url, std::wstring* url) override;
  // Login thread; may overlap with SignIn.
  int32_t SetSignOnInfo(const std::wstring& uid, const std::wstring& sign_key,
                        const std::wstring& web_pass_suffix) override;

 private:
  base::Lock lock_;
  std::wstring uid_;              // Guarded by lock_
  std::wstring sign_key_;         // Guarded by lock_
  std::wstring web_pass_suffix_;  // Guarded by lock_
};

#endif  // VELKOR_SOURCE_MODEL_SERVICE_SSO_SERVICE_H_
