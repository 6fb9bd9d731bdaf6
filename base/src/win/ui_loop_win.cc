// The UI loop on Windows: a message-only window on the UI thread. Posting
// queues the task and posts a private message; the thread's own message pump
// (the host's, or Run/RunUntilIdle here) then runs the due tasks. Delayed tasks
// wake the window through a timer.
#include <windows.h>

#include <algorithm>

#include "ui_loop.h"

namespace base::internal {
namespace {

constexpr UINT kRunTasksMessage = WM_APP + 0x3A1;
constexpr UINT_PTR kDelayTimerId = 1;
constexpr wchar_t kWindowClass[] = L"BaseUIMessageLoopWindow";

class WinUILoop : public UILoop {
 public:
  void Bind() override {
    UILoop::Bind();
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW window_class = {};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = &WinUILoop::WindowProc;
    window_class.hInstance = instance;
    window_class.lpszClassName = kWindowClass;
    RegisterClassExW(&window_class);  // fails harmlessly when already registered
    HWND window = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  instance, nullptr);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    window_.store(window);
    ScheduleWork(true);  // tasks posted before the move to this thread
  }

  void Run() override {
    quit_.store(false);
    MSG message;
    while (!quit_.load() && GetMessageW(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    quit_.store(false);
  }

  void RunUntilIdle() override {
    for (;;) {
      bool dispatched = false;
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
        dispatched = true;
      }
      TaskQueue::Clock::time_point next_due;
      if (!RunDueTasks(&next_due) && !dispatched) return;
    }
  }

  void Quit() override {
    quit_.store(true);
    ScheduleWork(true);
  }

 protected:
  void ScheduleWork(bool) override {
    if (HWND window = window_.load()) PostMessageW(window, kRunTasksMessage, 0, 0);
  }

 private:
  void OnWake() {
    HWND window = window_.load();
    KillTimer(window, kDelayTimerId);
    TaskQueue::Clock::time_point next_due;
    RunDueTasks(&next_due);
    if (next_due == TaskQueue::Clock::time_point::max()) return;
    auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(
        next_due - TaskQueue::Clock::now());
    SetTimer(window, kDelayTimerId,
             static_cast<UINT>(std::clamp<int64_t>(wait.count() + 1, USER_TIMER_MINIMUM, 0x7FFFFFFF)),
             nullptr);
  }

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    auto* loop = reinterpret_cast<WinUILoop*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (loop && (message == kRunTasksMessage || (message == WM_TIMER && wparam == kDelayTimerId))) {
      loop->OnWake();
      return 0;
    }
    return DefWindowProcW(window, message, wparam, lparam);
  }

  std::atomic<HWND> window_{nullptr};
};

}  // namespace

UILoop* UILoop::Create() { return new WinUILoop(); }

}  // namespace base::internal
