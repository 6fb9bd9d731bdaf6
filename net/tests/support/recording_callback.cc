#include "recording_callback.h"

#include <algorithm>

namespace net::testing {

int CRecordingCallback::OnRecv(const char* data, int length) {
  std::lock_guard lock(lock_);
  if (forbidden_) ++forbiddenCalls_;
  int taken = takeLimit_ < 0 ? length : std::min(length, takeLimit_);
  received_.append(data, static_cast<std::size_t>(taken));
  changed_.notify_all();
  return taken;
}

void CRecordingCallback::Record(Event event) {
  std::lock_guard lock(lock_);
  if (forbidden_) ++forbiddenCalls_;
  events_.push_back(event);
  changed_.notify_all();
}

void CRecordingCallback::SetTakeLimit(int limit) {
  std::lock_guard lock(lock_);
  takeLimit_ = limit;
}

bool CRecordingCallback::WaitUntil(const std::function<bool()>& condition,
                                   std::chrono::milliseconds limit) {
  std::unique_lock lock(lock_);
  return changed_.wait_for(lock, limit, condition);
}

bool CRecordingCallback::WaitForEvent(Event::Kind kind, std::chrono::milliseconds limit,
                                      std::size_t count) {
  return WaitUntil(
      [&] {
        auto seen = std::count_if(events_.begin(), events_.end(),
                                  [kind](const Event& event) { return event.kind == kind; });
        return static_cast<std::size_t>(seen) >= count;
      },
      limit);
}

bool CRecordingCallback::WaitForAnyEvent(std::initializer_list<Event::Kind> kinds,
                                         std::chrono::milliseconds limit) {
  return WaitUntil(
      [&] {
        return std::any_of(events_.begin(), events_.end(), [kinds](const Event& event) {
          return std::find(kinds.begin(), kinds.end(), event.kind) != kinds.end();
        });
      },
      limit);
}

bool CRecordingCallback::WaitForReceived(std::size_t size, std::chrono::milliseconds limit) {
  return WaitUntil([&] { return received_.size() >= size; }, limit);
}

ResCode CRecordingCallback::CodeOf(Event::Kind kind) {
  std::lock_guard lock(lock_);
  for (const Event& event : events_) {
    if (event.kind == kind) return event.code;
  }
  return RES_ERROR;
}

std::string CRecordingCallback::Received() {
  std::lock_guard lock(lock_);
  return received_;
}

std::size_t CRecordingCallback::EventCount() {
  std::lock_guard lock(lock_);
  return events_.size();
}

void CRecordingCallback::ForbidCalls() {
  std::lock_guard lock(lock_);
  forbidden_ = true;
}

int CRecordingCallback::ForbiddenCalls() {
  std::lock_guard lock(lock_);
  return forbiddenCalls_;
}

}  // namespace net::testing
