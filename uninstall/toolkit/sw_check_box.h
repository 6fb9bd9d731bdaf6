// A check box: a skinned box left of its caption, toggled on button up.
#pragma once

#include "toolkit/sw_control.h"

class CSWCheckBox : public CSWControl {
 public:
  bool IsTag(std::string_view name) const override { return name == "checkbox"; }
  void Draw(ISWCanvas& canvas, bool outline) override;
  bool HandleMessage(unsigned message, SWParam wparam, SWLParam lparam, SWResult& result) override;
};

// Frames: 0 unchecked, 1 unchecked and hovered or pressed, 2 checked, 3 checked and
// hovered or pressed.
[[nodiscard]] int CheckBoxFrame(bool checked, int mouse_state);
