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

double Median(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  return samples[samples.size() / 2];
}

double MedianMicroseconds(int runs, const std::function<void()>& work) {
  std::vector<double> samples;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    work();
    samples.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
  }
  return Median(std::move(samples));
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

  // Each repaint timed whole, and its drawing alone: pushing the surface to the screen
  // costs nearly the same for any changed area under Wine, which rebuilds the window's
  // shape from all of it.
  struct Repaint {
    const char* name;
    std::function<void()> mark_dirty;
  };
  const Repaint repaints[] = {
      {"full repaint (420x280)            ", [] {}},
      {"single control (90x30 button)     ", [&] { MarkDirty(window, button->GetRect()); }},
      {"control change (button + its page)", [&] { view.InvalidateControl(*button); }},
  };
  double full_paint = 0;
  double full_draw = 0;
  for (const Repaint& repaint : repaints) {
    const double paint = MedianMicroseconds(runs, [&] {
      view.ClearDirty();
      repaint.mark_dirty();
      window.PaintLayered();
    });
    const double draw = MedianMicroseconds(runs, [&] {
      view.ClearDirty();
      repaint.mark_dirty();
      window.RedrawSurface();
    });
    if (full_paint == 0) {
      full_paint = paint;
      full_draw = draw;
    }
    std::printf("%s median %8.1f us (%.3f of full), drawing alone %8.1f us (%.3f of full)\n", repaint.name, paint,
                paint / full_paint, draw, draw / full_draw);
  }

  // Each frame's time runs from the previous frame to the moment it has been shown. The
  // first one also pays for the set-up: the animation window, the picture's copy and,
  // when hiding, hiding the window (Wine without a window manager waits about 2 s).
  const char* names[] = {"zoom in", "zoom out and fade", "fade"};
  for (int mode : {kAnimateZoomIn, kAnimateZoomOutFade, kAnimateFade}) {
    std::vector<double> frames;
    std::vector<double> first_frames;
    Clock::time_point last;
    bool first = true;
    window.set_animation_observer([&] {
      const Clock::time_point now = Clock::now();
      (first ? first_frames : frames).push_back(std::chrono::duration<double, std::micro>(now - last).count());
      first = false;
      last = now;
    });
    for (int run = 0; run < 20; ++run) {
      first = true;
      last = Clock::now();
      window.PlayWindowAnimation(mode);
      ShowWindow(window.window(), SW_SHOW);
    }
    std::printf("animation %-18s frame median %7.1f us, slowest %8.1f us; first frame, with the set-up, median %9.1f us "
                "(budget %d ms)\n",
                names[mode], Median(frames), *std::max_element(frames.begin(), frames.end()), Median(first_frames),
                kAnimationFrameMs);
  }
  window.set_animation_observer({});
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
