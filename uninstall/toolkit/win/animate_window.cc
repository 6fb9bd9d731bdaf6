#include "toolkit/win/animate_window.h"

#include <cstring>

#include "toolkit/animation_frames.h"
#include "toolkit/win/dib_surface.h"

CSAnimateWnd::CSAnimateWnd(HWND host, HDC host_surface, int frame_ms) : host_(host), frame_ms_(frame_ms) {
  GetWindowRect(host_, &host_rect_);
  const int w = host_rect_.right - host_rect_.left;
  const int h = host_rect_.bottom - host_rect_.top;
  picture_dc_ = CreateCompatibleDC(host_surface);
  void* picture_bits = nullptr;
  picture_bitmap_ = CreateDibSurface(picture_dc_, w, h, &picture_bits);
  picture_previous_ = SelectObject(picture_dc_, picture_bitmap_);
  BitBlt(picture_dc_, 0, 0, w, h, host_surface, 0, 0, SRCCOPY);

  CreateWindowOf(nullptr, WS_POPUP, WS_EX_TOOLWINDOW, host_rect_);
  frame_dc_ = CreateCompatibleDC(host_surface);
  frame_bitmap_ = CreateDibSurface(frame_dc_, w, h, &frame_bits_);
  frame_previous_ = SelectObject(frame_dc_, frame_bitmap_);
  ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

CSAnimateWnd::~CSAnimateWnd() {
  if (hwnd() != nullptr) ShowWindow(hwnd(), SW_HIDE);
  SelectObject(frame_dc_, frame_previous_);
  DeleteObject(frame_bitmap_);
  DeleteDC(frame_dc_);
  SelectObject(picture_dc_, picture_previous_);
  DeleteObject(picture_bitmap_);
  DeleteDC(picture_dc_);
  if (wait_event_ != nullptr) CloseHandle(wait_event_);
}

bool CSAnimateWnd::ProcessWindowMessage(HWND hwnd, UINT message, WPARAM, LPARAM, LRESULT& result) {
  if (message != WM_CREATE) return false;
  // Layered and transparent: the animation never takes the mouse.
  SetWindowLongPtrW(hwnd, GWL_EXSTYLE, GetWindowLongPtrW(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED | WS_EX_TRANSPARENT);
  wait_event_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  result = 0;
  return true;
}

void CSAnimateWnd::ShowFrame(int x, int y, int width, int height, BYTE alpha) {
  HDC screen = GetDC(nullptr);
  POINT position{x, y};
  SIZE size{width, height};
  POINT origin{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
  UpdateLayeredWindow(hwnd(), screen, &position, &size, frame_dc_, &origin, 0, &blend, ULW_ALPHA);
  ReleaseDC(nullptr, screen);
}

void CSAnimateWnd::Play(int mode) {
  const int w = host_rect_.right - host_rect_.left;
  const int h = host_rect_.bottom - host_rect_.top;
  if (mode != kAnimateZoomIn) ShowWindow(host_, SW_HIDE);
  SetStretchBltMode(frame_dc_, HALFTONE);
  for (const AnimationFrame& frame :
       PlanWindowAnimation(mode, {host_rect_.left, host_rect_.top, w, h})) {
    std::memset(frame_bits_, 0, static_cast<std::size_t>(w) * h * 4);
    if (frame.visible) {
      StretchBlt(frame_dc_, 0, 0, frame.box.width, frame.box.height, picture_dc_, 0, 0, w, h, SRCCOPY);
      ShowFrame(frame.box.x, frame.box.y, frame.box.width, frame.box.height, static_cast<BYTE>(frame.alpha));
    } else {
      ShowFrame(host_rect_.left, host_rect_.top, w, h, 0);  // an empty frame: nothing shows
    }
    if (wait_event_ != nullptr) WaitForSingleObject(wait_event_, static_cast<DWORD>(frame_ms_));
  }
  if (mode == kAnimateZoomIn) {
    SetWindowPos(host_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
  }
}
