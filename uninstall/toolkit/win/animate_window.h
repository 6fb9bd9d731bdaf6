// The window that plays a hosted window's zoom and fade animations over it.
#pragma once

#include <windows.h>

#include <functional>

#include "toolkit/sw_geometry.h"
#include "toolkit/win/sw_window_impl.h"

class CSAnimateWnd : public CSWWindowImpl<CSAnimateWnd> {
 public:
  // Copies the host's current picture from `host_surface` (a memory DC of the host's size).
  // `on_frame`, when set, is called as each frame has been shown.
  CSAnimateWnd(HWND host, HDC host_surface, int frame_ms, std::function<void()> on_frame = {});
  ~CSAnimateWnd() override;

  // Runs synchronously; every frame is followed by a wait of the frame time.
  void Play(int mode);

  bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

 private:
  // Shows `source`, a surface of the host's size, at the host's place.
  void ShowFrame(HDC source, BYTE alpha);
  // Draws the picture stretched into `box` (screen coordinates) on an otherwise
  // transparent frame surface.
  void ComposeFrame(const SWBox& box);

  HWND host_;
  RECT host_rect_{};
  int frame_ms_;
  std::function<void()> on_frame_;
  SWBox composed_{};  // where the frame surface holds a picture, in frame coordinates
  HDC picture_dc_ = nullptr;
  HBITMAP picture_bitmap_ = nullptr;
  HGDIOBJ picture_previous_ = nullptr;
  HDC frame_dc_ = nullptr;
  HBITMAP frame_bitmap_ = nullptr;
  HGDIOBJ frame_previous_ = nullptr;
  void* frame_bits_ = nullptr;
  HANDLE wait_event_ = nullptr;  // never signalled: only waited on
};
