#include "toolkit/win/sw_window_host.h"

#include <windows.h>
#include <commctrl.h>
#include <objidl.h>
#include <gdiplus.h>
#include <windowsx.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "toolkit/animation_frames.h"
#include "toolkit/win/animate_window.h"
#include "toolkit/win/dib_surface.h"
#include "toolkit/win/gdiplus_drawing.h"
#include "toolkit/win/hosted_edit.h"

static_assert(kSWCreate == WM_CREATE && kSWDestroy == WM_DESTROY && kSWMove == WM_MOVE && kSWClose == WM_CLOSE &&
              kSWSetCursor == WM_SETCURSOR && kSWNotify == WM_NOTIFY && kSWCommand == WM_COMMAND &&
              kSWMouseMove == WM_MOUSEMOVE && kSWLButtonDown == WM_LBUTTONDOWN && kSWLButtonUp == WM_LBUTTONUP &&
              kSWMouseLast == WM_MOUSEHWHEEL && kSWMouseHover == WM_MOUSEHOVER &&
              kSWMouseLeave == WM_MOUSELEAVE);
static_assert(sizeof(SWNotifyHeader) == sizeof(NMHDR) && offsetof(SWNotifyHeader, code) == offsetof(NMHDR, code));
static_assert(sizeof(SWRect) == sizeof(RECT));

namespace {

constexpr UINT_PTR kMoveByCaption = SC_MOVE | HTCAPTION;  // 0xF012

BLENDFUNCTION SourceAlphaBlend(BYTE constant_alpha) { return {AC_SRC_OVER, 0, constant_alpha, AC_SRC_ALPHA}; }

}  // namespace

CSWindowHost::CSWindowHost(int layout_id) : layout_id_(layout_id), animation_frame_ms_(kAnimationFrameMs) {}

CSWindowHost::~CSWindowHost() { DeleteSurface(); }

int CSWindowHost::DoModal() {
  HWND owner = GetActiveWindow();
  bool owner_disabled = false;
  if (owner != nullptr && owner != GetDesktopWindow() && IsWindowEnabled(owner)) {
    EnableWindow(owner, FALSE);
    owner_disabled = true;
  }
  if (!LoadWindowLayout(layout_id_, *this, *view_, layout_reader_) || CreateHostWindow(owner) == nullptr) {
    if (owner_disabled) EnableWindow(owner, TRUE);
    return 0;
  }
  HWND hwnd = window();
  SetWindowPos(hwnd, nullptr, 0, 0, width(), height(), SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageW(hwnd, kRedrawMessage, 0, 0);

  ShowWindow(hwnd, SW_HIDE);
  CentreWindow(owner);
  SendMessageW(hwnd, WM_INITDIALOG, 0, 0);
  if (show_on_start_) SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);

  modal_ = 1;
  running_ = 1;
  RunModalLoop();

  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  if (owner_disabled) EnableWindow(owner, TRUE);
  if (owner != nullptr && GetActiveWindow() == hwnd) SetActiveWindow(owner);
  DestroyWindow(hwnd);
  modal_ = 0;
  return result_;
}

void CSWindowHost::EndModal(int code) {
  if (!modal_) return;
  result_ = code;
  running_ = 0;
  PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}

void CSWindowHost::RunModalLoop() {
  MSG msg;
  while (running_ == 1) {
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE) && msg.message == WM_QUIT) break;
    if (!IsWindow(window())) break;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == -1) continue;
    if (got == 0) break;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void CSWindowHost::CentreWindow(HWND owner) {
  HWND hwnd = window();
  RECT area{};
  if (owner != nullptr && IsWindowVisible(owner) && !IsIconic(owner)) {
    GetWindowRect(owner, &area);
  } else {
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &monitor);
    area = monitor.rcWork;
  }
  int x = area.left + (area.right - area.left - width()) / 2;
  int y = area.top + (area.bottom - area.top - height()) / 2;
  if (owner == nullptr || !IsWindowVisible(owner) || IsIconic(owner)) {
    x = std::max<int>(area.left, std::min<int>(x, area.right - width()));
    y = std::max<int>(area.top, std::min<int>(y, area.bottom - height()));
  }
  SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool CSWindowHost::HandleHostMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
  if (message >= WM_MOUSEFIRST && message <= 0x20E && tooltip_ != nullptr) {
    MSG relayed{window(), message, wparam, lparam, static_cast<DWORD>(GetMessageTime()), {}};
    SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
  }
  SWResult view_result = 0;
  bool consumed = false;
  switch (message) {
    case WM_CREATE:
      OnCreate();
      result = 0;
      return true;
    case WM_DESTROY:
      OnDestroy();
      result = 0;
      return true;
    case WM_MOUSEMOVE:
      consumed = view_->HandleMessage(message, wparam, lparam, view_result);
      UpdateTooltip();
      break;
    case WM_MOVE:
    case WM_SETCURSOR:
    case WM_NOTIFY:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEHOVER:
    case WM_MOUSELEAVE:
      consumed = view_->HandleMessage(message, wparam, lparam, view_result);
      break;
    case WM_CLOSE:
      view_->HandleMessage(message, wparam, lparam, view_result);
      EndModal(kCloseResult);
      result = 0;
      return true;
    case WM_MBUTTONUP:
      result = 0;
      return true;
    case kRedrawMessage:
      PaintLayered();
      result = 0;
      return true;
    default:
      return false;
  }
  result = view_result;
  return consumed;
}

void CSWindowHost::OnCreate() {
  redraw_posted_ = false;
  view_->SetOwnerWindow(this);
  SWResult ignored = 0;
  view_->HandleMessage(WM_CREATE, 0, 0, ignored);

  HDC window_dc = GetDC(window());
  memory_dc_ = CreateCompatibleDC(window_dc);
  ReleaseDC(window(), window_dc);
  void* bits = nullptr;
  bitmap_ = CreateDibSurface(memory_dc_, window_rect().Width(), window_rect().Height(), &bits);
  pixels_ = static_cast<std::uint32_t*>(bits);
  if (bitmap_ != nullptr) previous_bitmap_ = SelectObject(memory_dc_, bitmap_);
  if (tooltip_ == nullptr) CreateTooltip();
}

void CSWindowHost::CreateTooltip() {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  RECT client{};
  GetClientRect(window(), &client);
  tooltip_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | 0x33, client.left, client.top,
                             client.right - client.left, client.bottom - client.top, window(), nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  if (tooltip_ == nullptr) return;
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = window();
  tool.uId = reinterpret_cast<UINT_PTR>(window());
  tool.lpszText = const_cast<wchar_t*>(L"");
  SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_RESHOW, 2);
  SendMessageW(tooltip_, TTM_SETDELAYTIME, TTDT_INITIAL, 200);
  SendMessageW(tooltip_, TTM_SETTIPTEXTCOLOR, 0x4A4A4A, 0);
  SendMessageW(tooltip_, TTM_ACTIVATE, TRUE, 0);
}

void CSWindowHost::UpdateTooltip() {
  const SWControlPtr& hovered = view_->hovered();
  if (hovered == tooltip_control_ || tooltip_ == nullptr) return;
  tooltip_control_ = hovered;
  if (hovered) {
    std::wstring tip = hovered->GetTip();
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = window();
    tool.uId = reinterpret_cast<UINT_PTR>(window());
    tool.lpszText = tip.data();
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  }
  SendMessageW(tooltip_, TTM_ACTIVATE, hovered ? TRUE : FALSE, 0);
}

void CSWindowHost::OnDestroy() {
  SWResult ignored = 0;
  view_->HandleMessage(WM_DESTROY, 0, 0, ignored);
  tooltip_control_.reset();
  tooltip_ = nullptr;  // destroyed with its owner
  DeleteSurface();
}

void CSWindowHost::DeleteSurface() {
  if (memory_dc_ != nullptr && previous_bitmap_ != nullptr) SelectObject(memory_dc_, previous_bitmap_);
  if (bitmap_ != nullptr) DeleteObject(bitmap_);
  if (memory_dc_ != nullptr) DeleteDC(memory_dc_);
  memory_dc_ = nullptr;
  bitmap_ = nullptr;
  previous_bitmap_ = nullptr;
  pixels_ = nullptr;
}

void CSWindowHost::PaintLayered() { PushSurface(RedrawSurface()); }

SWRect CSWindowHost::RedrawSurface() {
  redraw_posted_ = false;
  if (pixels_ == nullptr) return {};
  const SWRect surface = window_rect();
  const int w = surface.Width();
  const int h = surface.Height();
  HRGN clip = nullptr;
  SWRect redrawn;
  if (view_->dirty_rects().empty()) {
    std::memset(pixels_, 0, static_cast<std::size_t>(w) * h * sizeof(std::uint32_t));
    clip = CreateRectRgn(0, 0, w, h);
    redrawn = surface;
  } else {
    for (const SWRect& dirty : view_->dirty_rects()) {
      const SWRect cut = dirty.Intersection(surface);
      redrawn = redrawn.Bounds(cut);
      for (int y = cut.top; y < cut.bottom; ++y) {
        std::memset(pixels_ + static_cast<std::size_t>(h - 1 - y) * w + cut.left, 0,
                    static_cast<std::size_t>(cut.Width()) * sizeof(std::uint32_t));
      }
      HRGN piece = CreateRectRgn(cut.left, cut.top, cut.right, cut.bottom);
      if (clip == nullptr) {
        clip = piece;
      } else {
        CombineRgn(clip, clip, piece, RGN_OR);
        DeleteObject(piece);
      }
    }
  }
  SelectClipRgn(memory_dc_, clip);
  {
    // The surface seen by GDI+ as premultiplied pixels, top row first.
    Gdiplus::Bitmap target(w, h, -w * 4, PixelFormat32bppPARGB,
                           reinterpret_cast<BYTE*>(pixels_ + static_cast<std::size_t>(h - 1) * w));
    Gdiplus::Graphics graphics(&target);
    Gdiplus::Region clip_region(clip);
    graphics.SetClip(&clip_region);
    GdiplusCanvas canvas(graphics, clip);
    DrawControl(canvas, *view_, debug_outline_);
  }
  SelectClipRgn(memory_dc_, nullptr);
  DeleteObject(clip);
  view_->ClearDirty();
  return redrawn;
}

void CSWindowHost::PushSurface(const SWRect& changed) {
  if (pixels_ == nullptr) return;
  HDC screen = GetDC(nullptr);
  SIZE size{window_rect().Width(), window_rect().Height()};
  POINT origin{0, 0};
  BLENDFUNCTION blend = SourceAlphaBlend(255);
  // The whole surface goes with every update; the changed part lets the system copy
  // only that much of it.
  RECT dirty{changed.left, changed.top, changed.right, changed.bottom};
  UPDATELAYEREDWINDOWINFO info{sizeof(info), screen, nullptr, &size, memory_dc_, &origin, 0, &blend, ULW_ALPHA, &dirty};
  UpdateLayeredWindowIndirect(window(), &info);
  ReleaseDC(nullptr, screen);
}

std::uint32_t CSWindowHost::SurfacePixel(int x, int y) const {
  const SWRect surface = window_rect();
  if (pixels_ == nullptr || !surface.Contains(x, y)) return 0;
  return pixels_[static_cast<std::size_t>(surface.Height() - 1 - y) * surface.Width() + x];
}

void CSWindowHost::PlayWindowAnimation(int mode) {
  if (memory_dc_ == nullptr) return;
  CSAnimateWnd animation(window(), memory_dc_, animation_frame_ms_, animation_observer_);
  animation.Play(mode);
}

void CSWindowHost::SendCommand(int id) { SendMessageW(window(), WM_COMMAND, static_cast<WPARAM>(id), 0); }

void CSWindowHost::PostRedraw() {
  if (redraw_posted_) return;
  redraw_posted_ = PostMessageW(window(), kRedrawMessage, 0, 0) != FALSE;
}

bool CSWindowHost::TrackMouse() {
  TRACKMOUSEEVENT track{sizeof(track), TME_HOVER | TME_LEAVE, window(), 200};
  return TrackMouseEvent(&track) != FALSE;
}

void CSWindowHost::StartWindowDrag() { SendMessageW(window(), WM_SYSCOMMAND, kMoveByCaption, 0); }

void CSWindowHost::SetHandCursor(bool hand) { SetCursor(LoadCursorW(nullptr, hand ? IDC_HAND : IDC_ARROW)); }

std::unique_ptr<IHostedEdit> CSWindowHost::CreateHostedEdit(CSWEdit& edit) {
  return CreateSystemEdit(window(), edit);
}
