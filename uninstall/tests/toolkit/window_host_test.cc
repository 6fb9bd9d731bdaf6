// The window host under Wine and Xvfb, driven in-process from its own modal loop: the
// tooltip, the hosted edit window and dragging the window by its background.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialog_script.h"
#include "program_environment.h"
#include "toolkit/sw_edit.h"
#include "toolkit/win/sw_window_imlp.h"

namespace {

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ProgramEnvironment);

constexpr char kLayout[] = R"(<window width="420" height="280">
  <view pos="0,0,420,280" skinbg="bg">
    <button id="11" pos="10,10,90,30" skin="btnok" tip="button tip"/>
    <text id="12" pos="110,10,80,30" caption="words" style="middletext" tip="text tip"/>
    <img id="13" pos="10,50,66,66" skin="icon_notice"/>
    <link id="14" pos="110,50,60,20" caption="link" style="middletext"/>
    <checkbox id="15" pos="180,50,80,20" skin="checkbox"/>
    <text pos="10,130,60,20" caption="no id" style="middletext" tip="never shown"/>
    <edit id="16" pos="110,130,150,30" caption="start"/>
    <button id="17" pos="300,50,90,30" skin="btnok"/>
    <div id="20" pos="10,200,300,40" visible="false">
      <edit id="21" pos="100,5,150,30"/>
    </div>
  </view>
</window>)";

constexpr UINT_PTR kDragCommand = 0xF012;  // SC_MOVE | HTCAPTION

// A hosted window on kLayout that records what the toolkit tells its owner and takes
// the drag command itself, so that no system move loop starts.
class CProbeWindow : public CSWindowImlp<CProbeWindow> {
 public:
  CProbeWindow() : CSWindowImlp(1) {
    set_layout_reader([](int, const char*) { return std::optional<std::string>(kLayout); });
  }

  bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    if (message == WM_SYSCOMMAND && wparam == kDragCommand) {
      ++drags;
      result = 0;
      return true;
    }
    if (message == WM_COMMAND) commands.push_back(LOWORD(wparam));
    if (message == WM_NOTIFY) notifications.push_back(reinterpret_cast<const NMHDR*>(lparam)->code);
    return CSWindowImlp::ProcessWindowMessage(hwnd, message, wparam, lparam, result);
  }

  // The control's rectangle in screen coordinates.
  RECT ScreenRect(int id) {
    const SWRect r = FindControlById(view(), id)->GetRect();
    POINT corners[2] = {{r.left, r.top}, {r.right, r.bottom}};
    MapWindowPoints(window(), nullptr, corners, 2);
    return {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
  }
  // Puts the real pointer over window point (x, y) and tells the window, as the system
  // would once the pointer moved.
  void PointAt(int x, int y) {
    POINT screen{x, y};
    ClientToScreen(window(), &screen);
    SetCursorPos(screen.x, screen.y);
    SendMessageW(window(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  }

  int drags = 0;
  std::vector<int> commands;
  std::vector<int> notifications;
};

struct OwnedSearch {
  HWND owner;
  const std::function<bool(HWND)>* match;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectOwned(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<OwnedSearch*>(data);
  if (GetWindow(hwnd, GW_OWNER) == search->owner && (*search->match)(hwnd)) search->found.push_back(hwnd);
  return TRUE;
}

// The windows of this thread that `owner` owns and that satisfy `match`.
std::vector<HWND> OwnedWindows(HWND owner, const std::function<bool(HWND)>& match) {
  OwnedSearch search{owner, &match, {}};
  EnumThreadWindows(GetCurrentThreadId(), &CollectOwned, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

HWND TooltipOf(HWND owner) {
  const std::vector<HWND> tips = OwnedWindows(owner, [](HWND w) { return ClassOf(w) == TOOLTIPS_CLASSW; });
  return tips.size() == 1 ? tips.front() : nullptr;
}

std::wstring ToolText(HWND tooltip, HWND owner) {
  wchar_t text[80] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = TTTOOLINFOW_V2_SIZE;
  tool.hwnd = owner;
  tool.uId = reinterpret_cast<UINT_PTR>(owner);
  tool.lpszText = text;
  SendMessageW(tooltip, TTM_GETTEXTW, 80, reinterpret_cast<LPARAM>(&tool));
  return text;
}

// The system edit window hosted for the control `id`: the only edit child of a popup
// owned by the window whose rectangle matches the control's inset one.
HWND EditWindowOf(CProbeWindow& window, int id) {
  const RECT control = window.ScreenRect(id);
  const RECT inset{control.left + 5, control.top + 4, control.right - 5, control.bottom - 2};
  for (HWND popup : OwnedWindows(window.window(), [](HWND) { return true; })) {
    RECT r{};
    GetWindowRect(popup, &r);
    HWND edit = FindWindowExW(popup, nullptr, L"Edit", nullptr);
    if (edit != nullptr && EqualRect(&r, &inset)) return edit;
  }
  return nullptr;
}

// A step that waits until `condition` holds, failing after about two seconds.
DialogScript::Step Await(const char* what, std::function<bool()> condition) {
  return [what, condition = std::move(condition), ticks = 0]() mutable {
    if (condition()) return true;
    if (++ticks < 200) return false;
    ADD_FAILURE() << "timed out waiting for " << what;
    return true;
  };
}

DialogScript::Step Do(std::function<void()> action) {
  return [action = std::move(action)] {
    action();
    return true;
  };
}

// Control centres in window coordinates.
constexpr POINT kButton{55, 25};
constexpr POINT kText{150, 25};
constexpr POINT kBackground{350, 200};

TEST(WindowHostTest, TooltipShowsTheHoveredControlsTipAndHidesWhenThePointerLeaves) {
  CProbeWindow window;
  HWND tooltip = nullptr;
  auto shown = [&] { return tooltip != nullptr && IsWindowVisible(tooltip) != FALSE; };
  DialogScript script({
      Await("the window", [&] { return IsWindowVisible(window.window()) != FALSE; }),
      Do([&] {
        tooltip = TooltipOf(window.window());
        ASSERT_NE(tooltip, nullptr);
        EXPECT_FALSE(shown());
        window.PointAt(kButton.x, kButton.y);
      }),
      Await("the button's tip", shown),
      Do([&] {
        EXPECT_EQ(ToolText(tooltip, window.window()), L"button tip");
        window.PointAt(kText.x, kText.y);
        EXPECT_EQ(ToolText(tooltip, window.window()), L"text tip");
        window.PointAt(kBackground.x, kBackground.y);
      }),
      Await("the tip to hide over the background", [&] { return !shown(); }),
      Do([&] { window.PointAt(kText.x, kText.y); }),
      Await("the text's tip", shown),
      Do([&] {
        EXPECT_EQ(ToolText(tooltip, window.window()), L"text tip");
        SetCursorPos(0, 0);
        SendMessageW(window.window(), WM_MOUSELEAVE, 0, 0);
      }),
      Await("the tip to hide once the pointer left the window", [&] { return !shown(); }),
      Do([&] { window.EndModal(0); }),
  });
  window.DoModal();
  EXPECT_TRUE(script.Done()) << "stopped before step " << script.next_step();
}

TEST(WindowHostTest, HostedEditFollowsItsControlAndCarriesTheTypedText) {
  CProbeWindow window;
  SWControlPtr control;
  HWND edit = nullptr;
  auto edit_control = [&]() -> CSWEdit& { return static_cast<CSWEdit&>(*control); };
  DialogScript script({
      Await("the window", [&] { return IsWindowVisible(window.window()) != FALSE; }),
      Do([&] {
        control = FindControlById(window.view(), 16);
        edit = EditWindowOf(window, 16);
        ASSERT_NE(edit, nullptr) << "no edit window over the control's place";
        EXPECT_TRUE(IsWindowVisible(edit));
        EXPECT_EQ(control->GetText(), L"start");

        // Inside a hidden container the edit window is hidden, and shows with it.
        HWND hidden = EditWindowOf(window, 21);
        ASSERT_NE(hidden, nullptr);
        EXPECT_FALSE(IsWindowVisible(hidden));
        window.view().SetControlVisible(20, true);
        EXPECT_TRUE(IsWindowVisible(hidden));
        window.view().SetControlVisible(16, false);
        EXPECT_FALSE(IsWindowVisible(edit));
        window.view().SetControlVisible(16, true);
        EXPECT_TRUE(IsWindowVisible(edit));

        window.notifications.clear();
        SetFocus(edit);
        EXPECT_TRUE(edit_control().focused());
        EXPECT_EQ(window.notifications, std::vector<int>{kSWNotifyInvalidate});

        SendMessageW(edit, EM_SETSEL, 5, 5);
        for (wchar_t c : std::wstring(L"ed")) SendMessageW(edit, WM_CHAR, c, 0);
        EXPECT_EQ(control->GetText(), L"started");
        window.notifications.clear();
        SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
        EXPECT_EQ(window.notifications, std::vector<int>{kSWNotifyKeyDown});

        window.notifications.clear();
        SetFocus(window.window());
        EXPECT_FALSE(edit_control().focused());
        EXPECT_EQ(window.notifications, (std::vector<int>{kSWNotifyFocusLost, kSWNotifyInvalidate}));

        window.view().SetControlText(16, L"replaced");
        wchar_t shown[32] = {};
        GetWindowTextW(edit, shown, 32);
        EXPECT_STREQ(shown, L"replaced");

        // Moving the window takes the edit window along.
        RECT before{};
        GetWindowRect(window.window(), &before);
        SetWindowPos(window.window(), nullptr, before.left + 30, before.top + 20, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        EXPECT_EQ(EditWindowOf(window, 16), edit);

        SetFocus(edit);
        SendMessageW(edit, EM_SETSEL, 0, -1);
        for (wchar_t c : std::wstring(L"typed")) SendMessageW(edit, WM_CHAR, c, 0);
        window.EndModal(0);
      }),
  });
  window.DoModal();
  EXPECT_TRUE(script.Done()) << "stopped before step " << script.next_step();
  EXPECT_FALSE(IsWindow(edit));
  ASSERT_NE(control, nullptr);
  // What was typed outlives the window, for whoever reads it once the dialog is over.
  EXPECT_EQ(control->GetText(), L"typed");
}

TEST(WindowHostTest, PressOnAnythingButAClickableControlDragsTheWindow) {
  const struct {
    const char* where;
    POINT point;
    bool drags;
    int command;  // reported by the release that follows a press without drag; 0 for none
  } cases[] = {
      {"button", kButton, false, 11},
      {"link", {140, 60}, false, 14},
      {"check box", {220, 60}, false, 15},
      {"text", kText, true, 0},
      {"image", {40, 80}, true, 0},
      {"text without id", {30, 140}, true, 0},
      {"edit border", {112, 145}, true, 0},
      {"background", kBackground, true, 0},
      {"disabled button", {345, 65}, true, 0},
  };
  CProbeWindow window;
  DialogScript script({
      Await("the window", [&] { return IsWindowVisible(window.window()) != FALSE; }),
      Do([&] {
        FindControlById(window.view(), 17)->SetEnabled(0);
        for (const auto& c : cases) {
          window.drags = 0;
          window.commands.clear();
          const LPARAM point = MAKELPARAM(c.point.x, c.point.y);
          SendMessageW(window.window(), WM_MOUSEMOVE, 0, point);
          SendMessageW(window.window(), WM_LBUTTONDOWN, MK_LBUTTON, point);
          // A drag's own loop takes the release.
          if (window.drags == 0) SendMessageW(window.window(), WM_LBUTTONUP, 0, point);
          EXPECT_EQ(window.drags, c.drags ? 1 : 0) << c.where;
          const std::vector<int> expected = c.command != 0 ? std::vector<int>{c.command} : std::vector<int>{};
          EXPECT_EQ(window.commands, expected) << c.where;
        }
        window.EndModal(0);
      }),
  });
  window.DoModal();
  EXPECT_TRUE(script.Done()) << "stopped before step " << script.next_step();
}

}  // namespace
