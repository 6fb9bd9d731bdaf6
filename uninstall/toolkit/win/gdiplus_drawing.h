// Executes skin plans and styled texts with GDI+, and the canvas the controls draw on.
#pragma once

#include <windows.h>
#include <objidl.h>
#include <gdiplus.h>

#include <string>

#include "toolkit/sw_host.h"
#include "toolkit/sw_skin.h"
#include "toolkit/sw_style.h"

// Draws frame `state` of `skin` into `box`; `alpha` below 1 makes it more transparent.
void DrawSkin(const CSWSkin& skin, Gdiplus::Graphics& graphics, const SWBox& box, int state, float alpha);

// Draws `text` in `box` with the colour, font style and alignment of `style` for the
// control state (0 normal, 1 hover, 2 pressed, 3 checked and hovered, 4 disabled).
void DrawStyledText(int state, const SWBox& box, const CSWStyle& style, Gdiplus::Graphics& graphics,
                    const std::wstring& text);

class GdiplusCanvas : public ISWCanvas {
 public:
  // `clip` may be null (no clip region); it stays owned by the caller.
  GdiplusCanvas(Gdiplus::Graphics& graphics, HRGN clip) : graphics_(graphics), clip_(clip) {}

  void DrawSkin(const CSWSkin& skin, const SWBox& box, int state) override;
  void DrawStyledText(int state, const SWBox& box, const CSWStyle& style, const std::wstring& text) override;
  void DrawOutline(const SWRect& rect) override;
  bool TouchesClip(const SWRect& rect) const override;

 private:
  Gdiplus::Graphics& graphics_;
  HRGN clip_;
};
