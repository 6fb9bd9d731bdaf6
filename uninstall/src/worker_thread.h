#pragma once

#include <chrono>

class CUninstall;

// A started worker thread; closes its handle when destroyed, without waiting.
class CWorkerThread {
 public:
  CWorkerThread() = default;
  explicit CWorkerThread(void* handle) : handle_(handle) {}
  CWorkerThread(CWorkerThread&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  CWorkerThread& operator=(CWorkerThread&&) = delete;
  ~CWorkerThread();

  [[nodiscard]] bool Started() const { return handle_ != nullptr; }
  // True when the thread has ended within `bound`.
  [[nodiscard]] bool WaitFor(std::chrono::milliseconds bound);
  // Ends the thread forcibly with exit code 0 and waits until it is gone.
  void Terminate();

 private:
  void* handle_ = nullptr;
};

// Runs worker.DoStartUnInstall(nullptr) on a new thread; not Started() when no
// thread could be made. The dialog drops the result at once, the silent path waits.
CWorkerThread StartWorkerThread(CUninstall& worker);
