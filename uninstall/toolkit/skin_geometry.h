// Where each piece of a skin frame goes: the plan that the drawing code executes.
#pragma once

#include <vector>

#include "toolkit/sw_geometry.h"
#include "toolkit/sw_skin.h"

// The numbers of a skin that its geometry depends on.
struct SkinSlicing {
  int image_width = 0;
  int image_height = 0;
  int state_count = 1;
  int render_type = kRenderSingle;
  int head_width = 0;
  int tail_width = 0;
  NineCellParams nine_cell{};
};

// One copy of a piece of the picture. A tiled blit repeats the source slice over the
// destination without scaling; an untiled one stretches the source into it.
struct SkinBlit {
  SWBox source;
  SWBox dest;
  bool tiled = false;
  // For a tiled blit: where in the endless tiling the destination's corner lies.
  SWPoint tile_offset{};
  bool operator==(const SkinBlit&) const = default;
};

[[nodiscard]] SkinSlicing SlicingOf(const CSWSkin& skin);

// The blits, in drawing order, that draw state frame `state` into `dest`. A state
// beyond the frames falls back to 0; empty pieces are left out.
[[nodiscard]] std::vector<SkinBlit> PlanSkinBlits(const SkinSlicing& skin, const SWBox& dest, int state);

