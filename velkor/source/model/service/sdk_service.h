// The SDK service: binds the library to the host's UI thread and delegate.
// Every object shares the same process-wide state; the object carries none.
#ifndef VELKOR_SOURCE_MODEL_SERVICE_SDK_SERVICE_H_
#define VELKOR_SOURCE_MODEL_SERVICE_SDK_SERVICE_H_

#include "uauth/sdk_service.h"
#include "zeph_object.h"

class CSDKService : public zeph::CZephCOMRootObject<zeph::CCOMThreadSafeRefPolicy>,
                    public uauth::ISDKService {
 public:
  static constexpr char kClassId[] = "{E60A96FA-BFE1-46E2-9BF6-3371700264F0}";
  static constexpr char kClassName[] = "SDKService";
  static const zeph::InterfaceMapEntry* GetInterfaceMap() {
    return zeph::SingleInterfaceMap<CSDKService, uauth::ISDKService>(uauth::kSDKServiceInterfaceId);
  }

  // Run on the host's UI thread.
  int32_t Init(uauth::ISDKDelegate* delegate) override;
  int32_t Uninit(base::Closure done) override;
};

#endif  // VELKOR_SOURCE_MODEL_SERVICE_SDK_SERVICE_H_
