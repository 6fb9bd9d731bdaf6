// The frames of the window animations: where each one goes and how opaque it is.
#pragma once

#include <vector>

#include "toolkit/sw_geometry.h"

enum WindowAnimationMode { kAnimateZoomIn = 0, kAnimateZoomOutFade = 1, kAnimateFade = 2 };

inline constexpr int kAnimationFrameMs = 20;

struct AnimationFrame {
  SWBox box;          // screen position and size of the stretched picture
  int alpha = 255;    // constant alpha of the frame
  bool visible = true;  // a frame that shows nothing still takes its frame time
  bool operator==(const AnimationFrame&) const = default;
};

// Zoom in: widths 50, 100, ... below the window's width, centred, opaque. Zoom out and
// fade: twenty frames 50 pixels narrower each, alpha 245 down by 10. Fade: twenty frames
// of the whole window, alpha likewise. `window` is the window's screen box.
[[nodiscard]] std::vector<AnimationFrame> PlanWindowAnimation(int mode, const SWBox& window);
