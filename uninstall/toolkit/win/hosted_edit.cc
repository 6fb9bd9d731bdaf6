#include "toolkit/win/hosted_edit.h"

#include <commctrl.h>

#include "toolkit/sw_style.h"
#include "toolkit/win/sw_window_impl.h"

namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr COLORREF kDefaultTextColour = 0x666666;

COLORREF ToColorRef(std::uint32_t argb) {
  return RGB((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF);
}

// CSWEditContainer: the popup that hosts the edit and answers for it.
class CSWEditContainer : public CSWWindowImpl<CSWEditContainer>, public IHostedEdit {
 public:
  CSWEditContainer(HWND owner, CSWEdit& edit) : owner_(owner), edit_(edit) {}
  ~CSWEditContainer() override {
    if (font_ != nullptr) DeleteObject(font_);
    if (brush_ != nullptr) DeleteObject(brush_);
  }

  bool Create() {
    return CreateWindowOf(owner_, WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
                          ScreenRect(edit_.GetRect())) != nullptr &&
           edit_window_ != nullptr;
  }

  void MoveTo(const SWRect& rect) override {
    const RECT r = ScreenRect(rect);
    SetWindowPos(hwnd(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    MoveWindow(edit_window_, 0, 0, r.right - r.left, r.bottom - r.top, TRUE);
  }
  void Show(bool visible) override { ShowWindow(hwnd(), visible ? SW_SHOWNOACTIVATE : SW_HIDE); }
  void SetText(const std::wstring& text) override { SetWindowTextW(edit_window_, text.c_str()); }
  std::wstring GetText() const override {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit_window_)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(edit_window_, text.data(), static_cast<int>(text.size()))));
    return text;
  }

  bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    switch (message) {
      case WM_CREATE:
        CreateEditWindow(hwnd);
        result = 0;
        return true;
      case WM_DESTROY:
        ShowWindow(hwnd, SW_HIDE);
        return false;
      case WM_COMMAND:
        if (HIWORD(wparam) == EN_CHANGE) {
          InvalidateRect(edit_window_, nullptr, TRUE);
          edit_.OnTextChanged(GetText());
        }
        return false;
      case WM_CTLCOLOREDIT: {
        HDC dc = reinterpret_cast<HDC>(wparam);
        SetBkMode(dc, TRANSPARENT);
        const CSWStyle* style = edit_.style();
        const bool coloured = style != nullptr && style->normal_colour != 0;
        SetTextColor(dc, coloured ? ToColorRef(style->normal_colour) : kDefaultTextColour);
        result = reinterpret_cast<LRESULT>(brush_);
        (void)lparam;
        return true;
      }
      default:
        return false;
    }
  }

 private:
  RECT ScreenRect(const SWRect& rect) const {
    POINT top_left{rect.left + 5, rect.top + 4};
    POINT bottom_right{rect.right - 5, rect.bottom - 2};
    ClientToScreen(owner_, &top_left);
    ClientToScreen(owner_, &bottom_right);
    return {top_left.x, top_left.y, bottom_right.x, bottom_right.y};
  }

  void CreateEditWindow(HWND container) {
    RECT client{};
    GetClientRect(container, &client);
    edit_window_ = CreateWindowExW(WS_EX_CONTROLPARENT, L"EDIT", nullptr,
                                   WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | ES_AUTOHSCROLL, 0, 0, client.right,
                                   client.bottom, container, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (edit_window_ == nullptr) return;
    const int size = edit_.style() != nullptr ? edit_.style()->font_size : 12;
    font_ = CreateFontW(-size, 0, 0, 0, 400, FALSE, FALSE, FALSE, GB2312_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"微软雅黑");
    SendMessageW(edit_window_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    SendMessageW(edit_window_, EM_SETREADONLY, edit_.read_only() ? TRUE : FALSE, 0);
    brush_ = CreateSolidBrush(ToColorRef(edit_.background_colour()));
    SetWindowSubclass(edit_window_, &RealEditProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  }

  void NotifyOwner(SWNotifyHeader& header) {
    header.from = edit_window_;
    header.id = static_cast<std::uintptr_t>(edit_.id());
    SendMessageW(owner_, WM_NOTIFY, static_cast<WPARAM>(edit_.id()), reinterpret_cast<LPARAM>(&header));
  }
  void NotifyRedraw() {
    SWNotifyRect notify{{nullptr, 0, kSWNotifyInvalidate}, edit_.GetRect()};
    NotifyOwner(notify.header);
  }

  // CSWRealEdit: the edit window's own behaviour.
  static LRESULT CALLBACK RealEditProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                       DWORD_PTR data) {
    auto* self = reinterpret_cast<CSWEditContainer*>(data);
    switch (message) {
      case WM_SETFOCUS:
        self->edit_.set_focused(true);
        self->NotifyRedraw();
        break;
      case WM_KILLFOCUS: {
        self->edit_.set_focused(false);
        SWNotifyHeader lost{nullptr, 0, kSWNotifyFocusLost};
        self->NotifyOwner(lost);
        self->NotifyRedraw();
        break;
      }
      case WM_KEYDOWN: {
        SWNotifyKey key{{nullptr, 0, kSWNotifyKeyDown}, wparam, lparam};
        self->NotifyOwner(key.header);
        break;
      }
      case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, &RealEditProc, kSubclassId);
        break;
      default:
        break;
    }
    return DefSubclassProc(hwnd, message, wparam, lparam);
  }

  HWND owner_;
  CSWEdit& edit_;
  HWND edit_window_ = nullptr;
  HFONT font_ = nullptr;
  HBRUSH brush_ = nullptr;
};

}  // namespace

std::unique_ptr<IHostedEdit> CreateSystemEdit(HWND owner, CSWEdit& edit) {
  auto container = std::make_unique<CSWEditContainer>(owner, edit);
  if (!container->Create()) return nullptr;
  return container;
}
