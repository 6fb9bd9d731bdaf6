#include "base/at_exit.h"

namespace base {
namespace {

std::mutex g_stack_lock;
AtExitManager* g_top = nullptr;  // Guarded by g_stack_lock

}  // namespace

AtExitManager::AtExitManager() {
  std::lock_guard<std::mutex> guard(g_stack_lock);
  previous_ = g_top;
  g_top = this;
}

AtExitManager::~AtExitManager() {
  ProcessCallbacksNow();
  std::lock_guard<std::mutex> guard(g_stack_lock);
  g_top = previous_;
}

bool AtExitManager::RegisterCallback(Callback func, void* param) {
  std::lock_guard<std::mutex> guard(g_stack_lock);
  if (!g_top) return false;
  std::lock_guard<std::mutex> callbacks_guard(g_top->lock_);
  g_top->callbacks_.emplace_back(func, param);
  return true;
}

void AtExitManager::ProcessCallbacksNow() {
  AtExitManager* top;
  {
    std::lock_guard<std::mutex> guard(g_stack_lock);
    top = g_top;
  }
  if (!top) return;
  // Callbacks may register new ones (an object created while another is torn
  // down), so take them in batches until none remain.
  for (;;) {
    std::vector<std::pair<Callback, void*>> batch;
    {
      std::lock_guard<std::mutex> guard(top->lock_);
      batch.swap(top->callbacks_);
    }
    if (batch.empty()) return;
    for (auto it = batch.rbegin(); it != batch.rend(); ++it) it->first(it->second);
  }
}

}  // namespace base
