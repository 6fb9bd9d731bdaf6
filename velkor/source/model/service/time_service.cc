#include "time_service.h"

#include "base/time.h"

namespace {

int64_t TickSeconds() { return base::Time::TickCount() / 1000; }

}  // namespace

int64_t CTimeService::GetServerTime(bool inMilliseconds) {
  base::AutoLock guard(lock_);
  // Both ticks are whole seconds, so the elapsed time may be off by up to one second.
  int64_t value = server_time_ + (TickSeconds() - tick_at_set_);
  return inMilliseconds ? value * 1000 : value;
}

void CTimeService::SetServerTime(int64_t serverTime) {
  base::AutoLock guard(lock_);
  server_time_ = serverTime;
  tick_at_set_ = TickSeconds();
}
