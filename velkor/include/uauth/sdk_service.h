// The SDK service: the first component the host creates. Init binds the library
// to the host's user-interface thread and delegate; Uninit stops notifications.
//
//   uauth::ISDKService* sdk = nullptr;
//   factory->CreateInstance(uauth::kSDKServiceClassId, uauth::kSDKServiceInterfaceId,
//                           reinterpret_cast<void**>(&sdk));
//   sdk->Init(delegate);                       // on the UI thread
//   ...
//   sdk->Uninit(base::Closure([] { /* every queued notification has been dropped */ }));
//   sdk->Release();
#ifndef VELKOR_INCLUDE_UAUTH_SDK_SERVICE_H_
#define VELKOR_INCLUDE_UAUTH_SDK_SERVICE_H_

#include <cstdint>

#include "base/callback.h"
#include "base/component_registry.h"
#include "base/file_path.h"
#include "base/ref_counted.h"
#include "zeph/zeph_com.h"

namespace uauth {

inline constexpr char kSDKServiceClassId[] = "{E60A96FA-BFE1-46E2-9BF6-3371700264F0}";
inline constexpr char kSDKServiceInterfaceId[] = "{89247078-F152-4D4F-A9EF-CF0C792ED1AE}";

// Implemented by the host. The library asks again whenever it needs a value, so
// the answers may change between logins.
class ISDKDelegate : public base::IRefCounted {
 public:
  // Name and version of the application that signs in.
  virtual zeph::ZephStringT<wchar_t> GetAppName() = 0;
  virtual zeph::ZephStringT<wchar_t> GetAppVersion() = 0;
  // The host's data directory: the log file and the channel's files live there.
  virtual base::FilePath GetDataDir() = 0;
  // A device identifier chosen by the host.
  virtual zeph::ZephStringT<wchar_t> GetUmid() = 0;
  // 0 test, 1 and everything else production (see the endpoint sets).
  virtual int32_t GetEnvironment() = 0;
  // The network proxy: type (0 none, 1 HTTP, 2 SOCKS5) and host, port, user,
  // password and one unused string.
  virtual void GetProxy(int32_t* type, zeph::ZephStringT<wchar_t>* host,
                        zeph::ZephStringT<wchar_t>* port, zeph::ZephStringT<wchar_t>* user,
                        zeph::ZephStringT<wchar_t>* password,
                        zeph::ZephStringT<wchar_t>* unused) = 0;

 protected:
  ~ISDKDelegate() = default;
};

class ISDKService : public zeph::IZephCOMRefCounted {
 public:
  // Call on the UI thread. Sets up the UI loop, keeps `delegate` (may be null;
  // a second Init replaces and releases the first), starts file logging in the
  // delegate's data directory and opens the notification gate. Returns 0.
  virtual int32_t Init(ISDKDelegate* delegate) = 0;
  // Closes the notification gate (queued notifications are dropped from now
  // on) and runs `done` on the UI loop after everything queued before it.
  // Returns 0.
  virtual int32_t Uninit(base::Closure done) = 0;

 protected:
  ~ISDKService() = default;
};

}  // namespace uauth

#endif  // VELKOR_INCLUDE_UAUTH_SDK_SERVICE_H_
