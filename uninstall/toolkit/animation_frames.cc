#include "toolkit/animation_frames.h"

namespace {

constexpr int kStep = 50;
constexpr int kFadeFrames = 20;

}  // namespace

std::vector<AnimationFrame> PlanWindowAnimation(int mode, const SWBox& window) {
  std::vector<AnimationFrame> frames;
  const int w = window.width;
  const int h = window.height;
  if (w <= 0 || h <= 0) return frames;
  const float ratio = static_cast<float>(h) / static_cast<float>(w);
  switch (mode) {
    case kAnimateZoomIn:
      for (int s = kStep; s < 1050 && s < w; s += kStep) {
        const int cy = static_cast<int>(static_cast<float>(s) * ratio);
        frames.push_back({{window.x + (w - s) / 2, window.y + (h - cy) / 2, s, cy}, 255, true});
      }
      break;
    case kAnimateZoomOutFade:
      for (int i = 0; i < kFadeFrames; ++i) {
        const int offset = kStep * i;
        const int width = w - offset;
        const int height = static_cast<int>(static_cast<float>(width) * ratio);
        frames.push_back({{window.x + offset / 2, window.y + (h - height) / 2, width, height}, 245 - 10 * i,
                          width > 0 && height > 0});
      }
      break;
    case kAnimateFade:
      for (int i = 0; i < kFadeFrames; ++i) frames.push_back({window, 245 - 10 * i, true});
      break;
    default:
      break;
  }
  return frames;
}
