// The plain leaves: a picture, a text, a link and a push button.
#pragma once

#include "toolkit/sw_control.h"

class CSWImage : public CSWControl {
 public:
  bool IsTag(std::string_view name) const override { return name == "img"; }
  void Draw(ISWCanvas& canvas, bool outline) override;
  bool WantsHandCursor() const override { return false; }
};

class CSWText : public CSWControl {
 public:
  bool IsTag(std::string_view name) const override { return name == "text"; }
  void Draw(ISWCanvas& canvas, bool outline) override;
  bool WantsHandCursor() const override { return false; }
};

class CSWLink : public CSWText {
 public:
  bool IsTag(std::string_view name) const override { return name == "link"; }
  bool WantsHandCursor() const override { return true; }
};

class CSWButton : public CSWControl {
 public:
  bool IsTag(std::string_view name) const override { return name == "button"; }
  void Draw(ISWCanvas& canvas, bool outline) override;
};

// The skin frame a button shows in a mouse state: hovered and pressed share frame 1,
// disabled uses frame 2.
[[nodiscard]] int ButtonFrameForState(int mouse_state);
