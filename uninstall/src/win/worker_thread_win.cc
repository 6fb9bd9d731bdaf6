#include <windows.h>

#include <memory>

#include "uninstall.h"
#include "worker_thread.h"

namespace {

// Allocated by the starting thread, freed by the worker when its call returns.
struct ThreadStart {
  CUninstall* object;
  int (CUninstall::*function)(void*);
  void* argument;
};

DWORD WINAPI RunThreadStart(void* parameter) {
  std::unique_ptr<ThreadStart> start(static_cast<ThreadStart*>(parameter));
  return static_cast<DWORD>((start->object->*start->function)(start->argument));
}

}  // namespace

CWorkerThread::~CWorkerThread() {
  if (handle_ != nullptr) CloseHandle(handle_);
}

bool CWorkerThread::WaitFor(std::chrono::milliseconds bound) {
  return WaitForSingleObject(handle_, static_cast<DWORD>(bound.count())) == WAIT_OBJECT_0;
}

void CWorkerThread::Terminate() {
  // TerminateThread only asks; the worker's objects may go once it has really ended.
  if (TerminateThread(handle_, 0)) WaitForSingleObject(handle_, INFINITE);
}

CWorkerThread StartWorkerThread(CUninstall& worker) {
  auto start = std::make_unique<ThreadStart>(ThreadStart{&worker, &CUninstall::DoStartUnInstall, nullptr});
  HANDLE thread = CreateThread(nullptr, 0, RunThreadStart, start.get(), 0, nullptr);
  if (thread == nullptr) return CWorkerThread();
  start.release();  // the thread owns it now
  return CWorkerThread(thread);
}
