// The server time service: the server's clock as reported at login, advanced
// with the local monotonic tick count.
#ifndef VELKOR_INCLUDE_UAUTH_TIME_SERVICE_H_
#define VELKOR_INCLUDE_UAUTH_TIME_SERVICE_H_

#include <cstdint>

#include "zeph/zeph_com.h"

namespace uauth {

inline constexpr char kTimeServiceClassId[] = "{D99F2615-694A-4202-BC20-199CB6E5A3FA}";
inline constexpr char kTimeServiceInterfaceId[] = "{5EFB1312-B6F8-4718-A766-C78BEF5BEC50}";

class ITimeService : public zeph::IZephCOMRefCounted {
 public:
  // Seconds, or milliseconds (whole seconds times 1000) when asked.
  virtual int64_t GetServerTime(bool inMilliseconds) = 0;
  // Seconds.
  virtual void SetServerTime(int64_t serverTime) = 0;

 protected:
  ~ITimeService() = default;
};

}  // namespace uauth

#endif  // VELKOR_INCLUDE_UAUTH_TIME_SERVICE_H_
