#include "toolkit/win/rendered_skins.h"

#include <algorithm>
#include <map>
#include <memory>
#include <tuple>

#include "toolkit/skin_geometry.h"
#include "toolkit/win/gdiplus_drawing.h"

namespace {

// Everything the picture depends on: the image, its slicing, the state and the size.
using RenderKey = std::tuple<const SkinImage*, int, int, int, int, NineCellParams, int, int, int>;

struct CachedRender {
  std::unique_ptr<Gdiplus::Bitmap> picture;
  SWBox bounds;
};

// Past this many cached pixels (about 32 MB) the cache starts again, so that a
// control whose size keeps changing cannot grow it without end.
constexpr long long kMaxCachedPixels = 8LL << 20;

struct RenderCache {
  std::map<RenderKey, CachedRender> entries;
  long long pixels = 0;
};

// Never destroyed: GDI+ may already be shut down when static objects go.
RenderCache& Cache() {
  static auto* cache = new RenderCache;
  return *cache;
}

SWBox BoundsOf(const std::vector<SkinBlit>& blits) {
  SWRect bounds{};
  bool first = true;
  for (const SkinBlit& blit : blits) {
    const SWRect r{blit.dest.x, blit.dest.y, blit.dest.x + blit.dest.width, blit.dest.y + blit.dest.height};
    if (first) {
      bounds = r;
      first = false;
    } else {
      bounds = {std::min(bounds.left, r.left), std::min(bounds.top, r.top), std::max(bounds.right, r.right),
                std::max(bounds.bottom, r.bottom)};
    }
  }
  return bounds.Box();
}

CachedRender Render(const CSWSkin& skin, int width, int height, int state) {
  CachedRender render;
  render.bounds = BoundsOf(PlanSkinBlits(SlicingOf(skin), {0, 0, width, height}, state));
  if (render.bounds.width <= 0 || render.bounds.height <= 0) return render;
  render.picture = std::make_unique<Gdiplus::Bitmap>(render.bounds.width, render.bounds.height,
                                                     PixelFormat32bppPARGB);
  Gdiplus::Graphics graphics(render.picture.get());
  DrawSkin(skin, graphics, {-render.bounds.x, -render.bounds.y, width, height}, state, 1.0f);
  return render;
}

}  // namespace

RenderedSkin GetRenderedSkin(const CSWSkin& skin, int width, int height, int state) {
  if (skin.image() == nullptr) return {};
  const RenderKey key{skin.image(),      skin.state_count(),        skin.render_type(), skin.head_width(),
                      skin.tail_width(), skin.nine_cell_params(), state,               width,
                      height};
  RenderCache& cache = Cache();
  auto found = cache.entries.find(key);
  if (found == cache.entries.end()) {
    CachedRender render = Render(skin, width, height, state);
    const long long pixels = static_cast<long long>(render.bounds.width) * render.bounds.height;
    if (cache.pixels + pixels > kMaxCachedPixels) {
      cache.entries.clear();
      cache.pixels = 0;
    }
    cache.pixels += pixels;
    found = cache.entries.emplace(key, std::move(render)).first;
  }
  return {found->second.picture.get(), found->second.bounds};
}
