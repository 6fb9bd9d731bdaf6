#include "toolkit/sw_style.h"

#include "toolkit/text_readers.h"

bool CSWStyle::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "FontSize") {
    font_size = ReadDecimal(value);
  } else if (name == "FontStyle") {
    font_style = ReadDecimal(value);
  } else if (name == "HoverFontStyle") {
    hover_font_style = ReadDecimal(value);
  } else if (name == "HAlign") {
    if (value == "left") h_align = kHAlignLeft;
    else if (value == "center") h_align = kHAlignCenter;
    else if (value == "right") h_align = kHAlignRight;
  } else if (name == "VAlign") {
    if (value == "top") v_align = kVAlignTop;
    else if (value == "middle") v_align = kVAlignMiddle;
    else if (value == "bottom") v_align = kVAlignBottom;
  } else if (name == "NormalTextColor") {
    normal_colour = ReadHexColour(value);
  } else if (name == "HoverTextColor") {
    hover_colour = ReadHexColour(value);
  } else if (name == "PushTextColor") {
    push_colour = ReadHexColour(value);
  } else {
    return false;
  }
  return true;
}
