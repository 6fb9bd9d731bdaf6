// Plain rectangles and points of the toolkit, in drawing-surface pixels.
#pragma once

#include <algorithm>

// (x, y, width, height): what drawing takes.
struct SWBox {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const SWBox&) const = default;
};

// (left, top, right, bottom): what controls store; right and bottom lie outside.
struct SWRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const SWRect&) const = default;

  [[nodiscard]] int Width() const { return right - left; }
  [[nodiscard]] int Height() const { return bottom - top; }
  [[nodiscard]] SWBox Box() const { return {left, top, Width(), Height()}; }
  [[nodiscard]] bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
  [[nodiscard]] bool Intersects(const SWRect& o) const {
    return std::max(left, o.left) < std::min(right, o.right) && std::max(top, o.top) < std::min(bottom, o.bottom);
  }
  // The smallest rectangle holding both; an empty rectangle adds nothing.
  [[nodiscard]] SWRect Bounds(const SWRect& o) const {
    if (Width() <= 0 || Height() <= 0) return o;
    if (o.Width() <= 0 || o.Height() <= 0) return *this;
    return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom)};
  }
  [[nodiscard]] SWRect Intersection(const SWRect& o) const {
    SWRect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom)};
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
  }
};

struct SWPoint {
  int x = 0;
  int y = 0;
  bool operator==(const SWPoint&) const = default;
};
