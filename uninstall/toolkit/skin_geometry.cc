#include "toolkit/skin_geometry.h"

#include <algorithm>

namespace {

bool IsEmpty(const SWBox& box) { return box.width <= 0 || box.height <= 0; }

class BlitList {
 public:
  void Copy(const SWBox& source, const SWBox& dest) { Add(source, dest, false); }
  void Tile(const SWBox& source, const SWBox& dest) { Add(source, dest, true); }
  std::vector<SkinBlit> Take() { return std::move(blits_); }

 private:
  void Add(const SWBox& source, const SWBox& dest, bool tiled) {
    if (IsEmpty(source) || IsEmpty(dest)) return;
    blits_.push_back({source, dest, tiled});
  }
  std::vector<SkinBlit> blits_;
};

void PlanThreeCell(const SkinSlicing& s, const SWBox& d, int sx, int fw, int fh, BlitList& out) {
  const int head = s.head_width;
  const int tail = s.tail_width;
  // The picture's height is used whatever the rectangle's height.
  out.Tile({sx + head, 0, fw - head - tail, fh}, {d.x + head, d.y, d.width - head - tail, fh});
  if (head > 0) out.Copy({sx, 0, head, fh}, {d.x, d.y, head, fh});
  if (tail > 0) out.Copy({sx + fw - tail, 0, tail, fh}, {d.x + d.width - tail, d.y, tail, fh});
}

void PlanNineCell(const SkinSlicing& s, const SWBox& d, int sx, int fw, int fh, BlitList& out) {
  const auto [p0, p1, p2, p3, p4, p5, p6, p7] = s.nine_cell;
  const int x = d.x, y = d.y, w = d.width, h = d.height;
  out.Tile({sx + p1, 0, fw - p1 - p2, p0}, {x + p1, y, w - p1 - p2, p0});
  out.Copy({sx, 0, p1, p0}, {x, y, p1, p0});
  out.Copy({sx + fw - p2, 0, p2, p0}, {x + w - p2, y, p2, p0});
  out.Tile({sx + p4, fh - p3, fw - p4 - p5, p3}, {x + p4, y + h - p3, w - p4 - p5, p3});
  out.Copy({sx, fh - p3, p4, p3}, {x, y + h - p3, p4, p3});
  out.Copy({sx + fw - p5, fh - p3, p5, p3}, {x + w - p5, y + h - p3, p5, p3});
  out.Tile({sx, p0, p6, fh - p0 - p3}, {x, y + p0, p6, h - p0 - p3});
  out.Tile({sx + fw - p7, p0, p7, fh - p0 - p3}, {x + w - p7, y + p0, p7, h - p0 - p3});
  out.Tile({sx + p6, p0, fw - p6 - p7, fh - p0 - p3}, {x + p6, y + p0, w - p6 - p7, h - p0 - p3});
}

}  // namespace

SkinSlicing SlicingOf(const CSWSkin& skin) {
  SkinSlicing slicing;
  if (skin.image() != nullptr) {
    slicing.image_width = skin.image()->Width();
    slicing.image_height = skin.image()->Height();
  }
  slicing.state_count = skin.state_count();
  slicing.render_type = skin.render_type();
  slicing.head_width = skin.head_width();
  slicing.tail_width = skin.tail_width();
  slicing.nine_cell = skin.nine_cell_params();
  return slicing;
}

std::vector<SkinBlit> PlanSkinBlits(const SkinSlicing& skin, const SWBox& dest, int state) {
  const int count = std::max(1, skin.state_count);
  if (state < 0 || state > count - 1) state = 0;
  const int fw = skin.image_width / count;
  const int fh = skin.image_height;
  const int sx = fw * state;
  BlitList out;
  switch (skin.render_type) {
    case kRenderThreeCell:
      PlanThreeCell(skin, dest, sx, fw, fh, out);
      break;
    case kRenderNineCell:
      PlanNineCell(skin, dest, sx, fw, fh, out);
      break;
    default:
      out.Copy({sx, 0, fw, fh}, {dest.x, dest.y, std::min(fw, dest.width), std::min(fh, dest.height)});
      break;
  }
  return out.Take();
}
