// The window messages the control tree understands, with their system numbers, so
// that the tree needs no window headers; the Windows host checks they agree.
#pragma once

#include <cstdint>

#include "toolkit/sw_geometry.h"

using SWParam = std::uintptr_t;  // wParam
using SWLParam = std::intptr_t;  // lParam
using SWResult = std::intptr_t;

enum SWMessage : unsigned {
  kSWCreate = 0x0001,
  kSWDestroy = 0x0002,
  kSWMove = 0x0003,
  kSWClose = 0x0010,
  kSWSetCursor = 0x0020,
  kSWNotify = 0x004E,
  kSWCommand = 0x0111,
  kSWMouseFirst = 0x0200,
  kSWMouseMove = 0x0200,
  kSWLButtonDown = 0x0201,
  kSWLButtonUp = 0x0202,
  kSWMouseLast = 0x020E,
  kSWMouseHover = 0x02A1,
  kSWMouseLeave = 0x02A3,
};

// Notification codes the toolkit sends with kSWNotify.
enum SWNotifyCode : int {
  kSWNotifyKeyDown = -96,     // an edit saw a key
  kSWNotifyFocusLost = -97,   // an edit lost the focus
  kSWNotifyInvalidate = -98,  // redraw the rectangle that follows the header
};

// The notification header as the system lays it out, and the toolkit's rectangle
// notification that follows it.
struct SWNotifyHeader {
  void* from = nullptr;
  std::uintptr_t id = 0;
  int code = 0;
};
struct SWNotifyRect {
  SWNotifyHeader header;
  SWRect rect;
};
struct SWNotifyKey {
  SWNotifyHeader header;
  SWParam key = 0;
  SWLParam key_lparam = 0;
};

[[nodiscard]] inline SWPoint PointFromLParam(SWLParam lparam) {
  return {static_cast<std::int16_t>(lparam & 0xFFFF), static_cast<std::int16_t>((lparam >> 16) & 0xFFFF)};
}
[[nodiscard]] inline SWLParam LParamFromPoint(int x, int y) {
  return static_cast<SWLParam>((static_cast<std::uint32_t>(y & 0xFFFF) << 16) | static_cast<std::uint32_t>(x & 0xFFFF));
}
