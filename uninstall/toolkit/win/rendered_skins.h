// Skin frames rendered once per size: a repaint copies the part it needs from the
// rendered picture instead of tiling and scaling the pieces again.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include "toolkit/sw_geometry.h"
#include "toolkit/sw_skin.h"

struct RenderedSkin {
  Gdiplus::Bitmap* picture = nullptr;  // owned by the cache; null when nothing shows
  SWBox bounds;  // what the picture covers, relative to the destination's top-left corner
};

// Frame `state` of `skin` drawn into a destination of `width` × `height`, from the
// cache or rendered now.
[[nodiscard]] RenderedSkin GetRenderedSkin(const CSWSkin& skin, int width, int height, int state);
