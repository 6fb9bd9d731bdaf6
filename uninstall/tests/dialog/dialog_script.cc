#include "dialog_script.h"

namespace {

DialogScript* g_running = nullptr;  // one script at a time, on the test's thread

}  // namespace

DialogScript::DialogScript(std::vector<Step> steps, UINT period_ms) : steps_(std::move(steps)) {
  g_running = this;
  timer_ = SetTimer(nullptr, 0, period_ms, &DialogScript::OnTick);
}

DialogScript::~DialogScript() {
  KillTimer(nullptr, timer_);
  g_running = nullptr;
}

void CALLBACK DialogScript::OnTick(HWND, UINT, UINT_PTR, DWORD) {
  if (g_running != nullptr) g_running->Tick();
}

void DialogScript::Tick() {
  if (in_step_ || Done()) return;
  in_step_ = true;
  if (steps_[next_]()) ++next_;
  in_step_ = false;
}

void ClickAt(HWND window, int x, int y) {
  const LPARAM point = MAKELPARAM(x, y);
  SendMessageW(window, WM_MOUSEMOVE, 0, point);
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageW(window, WM_LBUTTONUP, 0, point);
}
