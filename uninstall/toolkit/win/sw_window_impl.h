// A small window-implementation template: registers one window class per T and sends
// every message of a window to its T object.
//
//   class CMyWindow : public CSWWindowImpl<CMyWindow> {
//    public:
//     bool ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT& result);  // true: consumed
//   };
// Unconsumed messages go to the system's default window procedure.
#pragma once

#include <windows.h>

#include <string>

template <class T>
class CSWWindowImpl {
 public:
  CSWWindowImpl() = default;
  CSWWindowImpl(const CSWWindowImpl&) = delete;
  CSWWindowImpl& operator=(const CSWWindowImpl&) = delete;
  virtual ~CSWWindowImpl() {
    if (hwnd_ == nullptr) return;
    // T is gone already: the window must not reach it while it is destroyed.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }

  HWND CreateWindowOf(HWND owner, DWORD style, DWORD ex_style, const RECT& rect) {
    const std::wstring& name = ClassName();
    return CreateWindowExW(ex_style, name.c_str(), L"", style, rect.left, rect.top, rect.right - rect.left,
                           rect.bottom - rect.top, owner, nullptr, GetModuleHandleW(nullptr), this);
  }
  [[nodiscard]] HWND hwnd() const { return hwnd_; }

 private:
  // The generated class name is unique per T within the process.
  static const std::wstring& ClassName() {
    static const std::wstring name = [] {
      std::wstring generated = L"SWWindow" + std::to_wstring(reinterpret_cast<UINT_PTR>(&WindowProc));
      WNDCLASSEXW window_class{};
      window_class.cbSize = sizeof(window_class);
      window_class.lpfnWndProc = &WindowProc;
      window_class.hInstance = GetModuleHandleW(nullptr);
      window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      window_class.lpszClassName = generated.c_str();
      RegisterClassExW(&window_class);
      return generated;
    }();
    return name;
  }

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == WM_NCCREATE) {
      auto* self = static_cast<CSWWindowImpl*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
      self->hwnd_ = hwnd;
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<CSWWindowImpl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
    LRESULT result = 0;
    const bool consumed = static_cast<T*>(self)->ProcessWindowMessage(hwnd, message, wparam, lparam, result);
    if (message == WM_NCDESTROY) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
      self->hwnd_ = nullptr;
    }
    return consumed ? result : DefWindowProcW(hwnd, message, wparam, lparam);
  }

  HWND hwnd_ = nullptr;
};
