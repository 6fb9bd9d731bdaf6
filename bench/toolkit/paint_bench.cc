// Times full and single-control repaints of the 420×280 dialog layout and the frames of
// each window animation, and prints the medians.
#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "toolkit/animation_frames.h"
#include "toolkit/resource_tables.h"
#include "toolkit/win/sw_window_imlp.h"

namespace {

using Clock = std::chrono::steady_clock;

class CBenchWindow : public CSWindowImlp<CBenchWindow> {
 public:
  CBenchWindow() : CSWindowImlp(1001) {}
};

double MedianMicroseconds(int runs, const std::function<void()>& work, double per = 1.0) {
  std::vector<double> samples;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    work();
    samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count() / per);
  }
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

void MarkDirty(CBenchWindow& window, const SWRect& rect) {
  SWNotifyRect notify{{nullptr, 0, kSWNotifyInvalidate}, rect};
  SendMessageW(window.window(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
}

CBenchWindow* g_window = nullptr;

void CALLBACK Measure(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  CBenchWindow& window = *g_window;
  CSWView& view = window.view();
  const SWControlPtr button = FindControlById(view, 1012);
  const int runs = 200;

  const double full = MedianMicroseconds(runs, [&] {
    view.ClearDirty();
    window.PaintLayered();
  });
  const double single = MedianMicroseconds(runs, [&] {
    view.ClearDirty();
    MarkDirty(window, button->GetRect());
    window.PaintLayered();
  });
  const double with_parent = MedianMicroseconds(runs, [&] {
    view.ClearDirty();
    view.InvalidateControl(*button);
    window.PaintLayered();
  });
  std::printf("full repaint (420x280)               median %8.1f us\n", full);
  std::printf("single control (90x30 button)        median %8.1f us  (%.3f of full)\n", single, single / full);
  std::printf("control change (button + its page)   median %8.1f us  (%.3f of full)\n", with_parent,
              with_parent / full);

  const SWBox box{0, 0, window.width(), window.height()};
  const char* names[] = {"zoom in", "zoom out and fade", "fade"};
  for (int mode : {kAnimateZoomIn, kAnimateZoomOutFade, kAnimateFade}) {
    const double frames = static_cast<double>(PlanWindowAnimation(mode, box).size());
    const double frame = MedianMicroseconds(20, [&] { window.PlayWindowAnimation(mode); }, frames);
    std::printf("animation %-18s %2.0f frames  median %8.1f us per frame (budget %d ms)\n", names[mode], frames,
                frame, kAnimationFrameMs);
    ShowWindow(window.window(), SW_SHOW);
  }
  window.EndModal(0);
}

}  // namespace

int main() {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  LoadStringTable();
  LoadSkinTable();
  LoadStyleTable();

  CBenchWindow window;
  window.set_animation_frame_ms(0);  // time the drawing, not the waits between frames
  g_window = &window;
  SetTimer(nullptr, 0, 50, &Measure);
  window.DoModal();
  Gdiplus::GdiplusShutdown(token);
  return 0;
}
