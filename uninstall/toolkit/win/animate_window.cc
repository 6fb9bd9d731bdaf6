#include "toolkit/win/animate_window.h"

#include <cstdint>
#include <cstring>

#include "toolkit/animation_frames.h"
#include "toolkit/win/dib_surface.h"

CSAnimateWnd::CSAnimateWnd(HWND host, HDC host_surface, int frame_ms, std::function<void()> on_frame)
    : host_(host), frame_ms_(frame_ms), on_frame_(std::move(on_frame)) {
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

void CSAnimateWnd::ShowFrame(HDC source, BYTE alpha) {
  HDC screen = GetDC(nullptr);
  POINT position{host_rect_.left, host_rect_.top};
  SIZE size{host_rect_.right - host_rect_.left, host_rect_.bottom - host_rect_.top};
  POINT origin{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha, AC_SRC_ALPHA};
  UpdateLayeredWindow(hwnd(), screen, &position, &size, source, &origin, 0, &blend, ULW_ALPHA);
  ReleaseDC(nullptr, screen);
}

void CSAnimateWnd::ComposeFrame(const SWBox& box) {
  const int w = host_rect_.right - host_rect_.left;
  const int h = host_rect_.bottom - host_rect_.top;
  // Only the rows the last picture covered need clearing.
  auto* pixels = static_cast<std::uint32_t*>(frame_bits_);
  for (int y = composed_.y; y < composed_.y + composed_.height; ++y) {
    std::memset(pixels + static_cast<std::size_t>(h - 1 - y) * w + composed_.x, 0,
                static_cast<std::size_t>(composed_.width) * 4);
  }
  composed_ = {box.x - host_rect_.left, box.y - host_rect_.top, box.width, box.height};
  StretchBlt(frame_dc_, composed_.x, composed_.y, composed_.width, composed_.height, picture_dc_, 0, 0, w, h,
             SRCCOPY);
}

void CSAnimateWnd::Play(int mode) {
  const int w = host_rect_.right - host_rect_.left;
  const int h = host_rect_.bottom - host_rect_.top;
  const SWBox whole{host_rect_.left, host_rect_.top, w, h};
  if (mode != kAnimateZoomIn) ShowWindow(host_, SW_HIDE);
  SetStretchBltMode(frame_dc_, HALFTONE);
  // The animation window keeps the host's place and size: a smaller picture is drawn
  // inside a transparent frame, which looks the same as a smaller window and spares
  // resizing the window on every frame.
  for (const AnimationFrame& frame : PlanWindowAnimation(mode, whole)) {
    if (!frame.visible) {
      ShowFrame(frame_dc_, 0);  // an empty frame: nothing shows
    } else if (frame.box == whole) {
      ShowFrame(picture_dc_, static_cast<BYTE>(frame.alpha));
    } else {
      ComposeFrame(frame.box);
      ShowFrame(frame_dc_, static_cast<BYTE>(frame.alpha));
    }
    if (on_frame_) on_frame_();
    if (wait_event_ != nullptr) WaitForSingleObject(wait_event_, static_cast<DWORD>(frame_ms_));
  }
  if (mode == kAnimateZoomIn) {
    SetWindowPos(host_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
  }
}
