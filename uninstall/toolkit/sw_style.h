// A text style: font size and style bits, alignment and the colours per mouse state.
#pragma once

#include <cstdint>

#include "toolkit/sw_object.h"

enum StyleHAlign { kHAlignLeft = 0, kHAlignCenter = 1, kHAlignRight = 2 };
enum StyleVAlign { kVAlignTop = 0, kVAlignMiddle = 1, kVAlignBottom = 2 };

class CSWStyle : public CSWObject {
 public:
  bool IsTag(std::string_view name) const override { return name == "style"; }
  bool SetAttribute(const std::string& name, const std::string& value) override;

  std::uint32_t normal_colour = 0;  // 0xAARRGGBB; 0 is fully transparent
  std::uint32_t hover_colour = 0;
  std::uint32_t push_colour = 0;
  int font_size = 12;  // pixels
  int font_style = 0;  // 1 bold, 2 italic, 4 underline, 8 strikeout
  int hover_font_style = 0;  // added while hovered or pressed
  int h_align = kHAlignLeft;
  int v_align = kVAlignMiddle;
};
