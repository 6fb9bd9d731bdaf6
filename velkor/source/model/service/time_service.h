// Remembers the server time reported at login with the local tick at that
// moment, and extrapolates the current server time from the tick count.
#ifndef VELKOR_SOURCE_MODEL_SERVICE_TIME_SERVICE_H_
#define VELKOR_SOURCE_MODEL_SERVICE_TIME_SERVICE_H_

#include "base/lock.h"
#include "uauth/time_service.h"
#include "zeph_object.h"

class CTimeService : public zeph::CZephCOMRootObject<zeph::CCOMThreadSafeRefPolicy>,
                     public uauth::ITimeService {
 public:
  static constexpr char kClassId[] = "{D99F2615-694A-4202-BC20-199CB6E5A3FA}";
  static constexpr char kClassName[] = "IMTimeService";
  static const zeph::InterfaceMapEntry* GetInterfaceMap() {
    return zeph::SingleInterfaceMap<CTimeService, uauth::ITimeService>(uauth::kTimeServiceInterfaceId);
  }

  // Any thread.
  int64_t GetServerTime(bool inMilliseconds) override;
  void SetServerTime(int64_t serverTime) override;

 private:
  base::internal::LockImpl lock_;
  // Whole seconds of base::Time::TickCount, which is 64 bits wide so that the
  // difference below never wraps. Guarded by lock_.
  int64_t tick_at_set_ = 0;
  int64_t server_time_ = 0;  // Guarded by lock_
};

#endif  // VELKOR_SOURCE_MODEL_SERVICE_TIME_SERVICE_H_
