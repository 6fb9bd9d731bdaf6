// Drives a modal window from inside its own message loop: a thread timer runs the
// steps one after another on the window thread, each until it reports done.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

class DialogScript {
 public:
  using Step = std::function<bool()>;  // true: go on with the next step

  explicit DialogScript(std::vector<Step> steps, UINT period_ms = 10);
  ~DialogScript();
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;

  [[nodiscard]] bool Done() const { return next_ == steps_.size(); }
  [[nodiscard]] std::size_t next_step() const { return next_; }

 private:
  static void CALLBACK OnTick(HWND, UINT, UINT_PTR, DWORD);
  void Tick();

  std::vector<Step> steps_;
  std::size_t next_ = 0;
  UINT_PTR timer_ = 0;
  bool in_step_ = false;  // steps may pump messages (animations); no re-entry
};

// Mouse input as the system would deliver it, in window coordinates.
void ClickAt(HWND window, int x, int y);
