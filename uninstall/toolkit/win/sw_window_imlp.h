// CSWindowImlp<T>: a program's skinned window. T handles messages first and hands what
// it leaves to the host:
//
//   class CMyDlg : public CSWindowImlp<CMyDlg> {
//    public:
//     CMyDlg() : CSWindowImlp(1001) {}
//     bool ProcessWindowMessage(HWND h, UINT m, WPARAM w, LPARAM l, LRESULT& r) {
//       if (m == WM_COMMAND && LOWORD(w) == 7) { EndModal(7); return true; }
//       return CSWindowImlp::ProcessWindowMessage(h, m, w, l, r);
//     }
//   };
#pragma once

#include "toolkit/win/sw_window_host.h"
#include "toolkit/win/sw_window_impl.h"

// WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_SYSMENU, WS_EX_LAYERED.
template <class T, DWORD Style = 0x96080000, DWORD ExStyle = 0x80000>
class CSWindowImlp : public CSWWindowImpl<T>, public CSWindowHost {
 public:
  explicit CSWindowImlp(int layout_id) : CSWindowHost(layout_id) {}

  bool ProcessWindowMessage(HWND, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    return HandleHostMessage(message, wparam, lparam, result);
  }
  HWND window() const override { return this->hwnd(); }

 protected:
  HWND CreateHostWindow(HWND owner) override {
    const SWRect& r = window_rect();
    return this->CreateWindowOf(owner, Style, ExStyle, RECT{r.left, r.top, r.right, r.bottom});
  }
};
