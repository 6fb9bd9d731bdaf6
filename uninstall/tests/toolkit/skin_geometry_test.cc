#include "toolkit/skin_geometry.h"

#include <gtest/gtest.h>

#include "toolkit/resource_tables.h"
#include "toolkit_fakes.h"

namespace {

SkinSlicing ShippedSlicing(const char* id) {
  const CSWSkin* skin = FindSkin(id);
  EXPECT_NE(skin, nullptr) << id;
  return skin ? SlicingOf(*skin) : SkinSlicing{};
}

class SkinGeometryTest : public ::testing::Test {
 protected:
  ShippedTables tables_;
};

TEST_F(SkinGeometryTest, ThreeCellButtonInHoverFrame) {
  const std::vector<SkinBlit> blits = PlanSkinBlits(ShippedSlicing("btnok"), {100, 50, 90, 30}, 1);
  const std::vector<SkinBlit> expected = {
      {{55, 0, 10, 30}, {115, 50, 60, 30}, true},  // middle tiled from x + 15 to x + 75
      {{40, 0, 15, 30}, {100, 50, 15, 30}, false},  // head
      {{65, 0, 15, 30}, {175, 50, 15, 30}, false},  // tail
  };
  EXPECT_EQ(blits, expected);
}

TEST_F(SkinGeometryTest, ThreeCellUsesThePictureHeightWhateverTheRectangle) {
  const std::vector<SkinBlit> blits = PlanSkinBlits(ShippedSlicing("progressbg"), {30, 200, 340, 40}, 0);
  ASSERT_EQ(blits.size(), 3u);
  for (const SkinBlit& blit : blits) EXPECT_EQ(blit.dest.height, 4);
}

TEST_F(SkinGeometryTest, ThreeCellWhoseCapsExceedTheFrameDrawsOnlyCaps) {
  SkinSlicing slicing{40, 30, 1, kRenderThreeCell, 25, 25, {}};
  const std::vector<SkinBlit> blits = PlanSkinBlits(slicing, {0, 0, 100, 30}, 0);
  const std::vector<SkinBlit> expected = {
      {{0, 0, 25, 30}, {0, 0, 25, 30}, false},
      {{15, 0, 25, 30}, {75, 0, 25, 30}, false},
  };
  EXPECT_EQ(blits, expected);
}

TEST_F(SkinGeometryTest, NineCellFrameAroundTheDialog) {
  const std::vector<SkinBlit> blits = PlanSkinBlits(ShippedSlicing("frameborder"), {0, 0, 420, 280}, 0);
  const std::vector<SkinBlit> expected = {
      {{25, 0, 20, 25}, {25, 0, 370, 25}, true},      // top edge
      {{0, 0, 25, 25}, {0, 0, 25, 25}, false},        // top-left
      {{45, 0, 25, 25}, {395, 0, 25, 25}, false},     // top-right
      {{25, 45, 20, 25}, {25, 255, 370, 25}, true},   // bottom edge
      {{0, 45, 25, 25}, {0, 255, 25, 25}, false},     // bottom-left
      {{45, 45, 25, 25}, {395, 255, 25, 25}, false},  // bottom-right
      {{0, 25, 25, 20}, {0, 25, 25, 230}, true},      // left edge
      {{45, 25, 25, 20}, {395, 25, 25, 230}, true},   // right edge
      {{25, 25, 20, 20}, {25, 25, 370, 230}, true},   // centre
  };
  EXPECT_EQ(blits, expected);
}

TEST_F(SkinGeometryTest, NineCellCentreLiesBetweenUnequalEdges) {
  SkinSlicing slicing{70, 70, 1, kRenderNineCell, 0, 0, {10, 10, 10, 10, 10, 10, 5, 15}};
  const SkinBlit centre = PlanSkinBlits(slicing, {0, 0, 200, 100}, 0).back();
  EXPECT_EQ(centre, (SkinBlit{{5, 10, 50, 50}, {5, 10, 180, 80}, true}));
}

TEST_F(SkinGeometryTest, NineCellCentreSkippedWhenNothingIsLeft) {
  SkinSlicing slicing{50, 50, 1, kRenderNineCell, 0, 0, {25, 25, 25, 25, 25, 25, 25, 25}};
  const std::vector<SkinBlit> blits = PlanSkinBlits(slicing, {0, 0, 50, 50}, 0);
  EXPECT_EQ(blits.size(), 4u);  // only the corners: edges and centre have no width left
  for (const SkinBlit& blit : blits) EXPECT_FALSE(blit.tiled);
}

TEST_F(SkinGeometryTest, SingleScalesDownButNeverUp) {
  EXPECT_EQ(PlanSkinBlits(ShippedSlicing("bg2"), {10, 10, 400, 260}, 0),
            (std::vector<SkinBlit>{{{0, 0, 600, 370}, {10, 10, 400, 260}, false}}));
  EXPECT_EQ(PlanSkinBlits(ShippedSlicing("icon_notice"), {40, 70, 66, 66}, 0),
            (std::vector<SkinBlit>{{{0, 0, 66, 66}, {40, 70, 66, 66}, false}}));
  EXPECT_EQ(PlanSkinBlits(ShippedSlicing("icon_notice"), {0, 0, 200, 100}, 0),
            (std::vector<SkinBlit>{{{0, 0, 66, 66}, {0, 0, 66, 66}, false}}));
}

TEST_F(SkinGeometryTest, StateFramesAndFallback) {
  const SkinSlicing check = ShippedSlicing("checkbox");
  const struct { int state, source_x; } cases[] = {{0, 0}, {1, 16}, {2, 32}, {3, 48}, {4, 0}, {-1, 0}};
  for (const auto& c : cases) {
    const std::vector<SkinBlit> blits = PlanSkinBlits(check, {0, 0, 16, 16}, c.state);
    ASSERT_EQ(blits.size(), 1u);
    EXPECT_EQ(blits[0].source, (SWBox{c.source_x, 0, 16, 16})) << c.state;
  }
}

TEST_F(SkinGeometryTest, NoPictureNoBlits) {
  EXPECT_TRUE(PlanSkinBlits(SkinSlicing{}, {0, 0, 50, 50}, 0).empty());
  const CSWSkin* frame = FindSkin("checkbox");
  EXPECT_EQ(GetFrameSize(*frame), (std::pair<int, int>{16, 16}));
  EXPECT_EQ(GetFrameSize(CSWSkin{}), (std::pair<int, int>{0, 0}));
}

}  // namespace
