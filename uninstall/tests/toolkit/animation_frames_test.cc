#include "toolkit/animation_frames.h"

#include <gtest/gtest.h>

namespace {

const SWBox kDialog{300, 200, 420, 280};

TEST(AnimationFrames, ZoomInGrowsBy50UpToTheWindowWidth) {
  const std::vector<AnimationFrame> frames = PlanWindowAnimation(kAnimateZoomIn, kDialog);
  ASSERT_EQ(frames.size(), 8u);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const int s = 50 * static_cast<int>(i + 1);
    const int cy = s * 280 / 420;
    EXPECT_EQ(frames[i].box, (SWBox{300 + (420 - s) / 2, 200 + (280 - cy) / 2, s, cy})) << i;
    EXPECT_EQ(frames[i].alpha, 255);
  }
}

TEST(AnimationFrames, ZoomOutShowsNineOfTwentyFrames) {
  const std::vector<AnimationFrame> frames = PlanWindowAnimation(kAnimateZoomOutFade, kDialog);
  ASSERT_EQ(frames.size(), 20u);
  EXPECT_EQ(std::count_if(frames.begin(), frames.end(), [](const AnimationFrame& f) { return f.visible; }), 9);
  EXPECT_EQ(frames[0], (AnimationFrame{{300, 200, 420, 280}, 245, true}));
  EXPECT_EQ(frames[8].box.width, 20);
  EXPECT_EQ(frames[8].box.x, 300 + 200);
  EXPECT_EQ(frames[19].alpha, 55);
}

TEST(AnimationFrames, FadeKeepsTheWindowAndLowersAlpha) {
  const std::vector<AnimationFrame> frames = PlanWindowAnimation(kAnimateFade, kDialog);
  ASSERT_EQ(frames.size(), 20u);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    EXPECT_EQ(frames[i], (AnimationFrame{kDialog, 245 - 10 * static_cast<int>(i), true}));
  }
}

TEST(AnimationFrames, EmptyWindowOrUnknownModeHasNoFrames) {
  EXPECT_TRUE(PlanWindowAnimation(kAnimateZoomIn, {0, 0, 0, 280}).empty());
  EXPECT_TRUE(PlanWindowAnimation(7, kDialog).empty());
}

}  // namespace
