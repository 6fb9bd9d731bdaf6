// A progress bar: a track, a bar as wide as the position's share, an optional percentage.
#pragma once

#include "toolkit/sw_control.h"

class CSWProgressBar : public CSWControl {
 public:
  bool IsTag(std::string_view name) const override { return name == "progressbar"; }
  void Draw(ISWCanvas& canvas, bool outline) override;
  bool WantsHandCursor() const override { return false; }
  bool SetAttribute(const std::string& name, const std::string& value) override;

  [[nodiscard]] int position() const { return position_; }

 private:
  CSWSkin* bar_ = nullptr;
  CSWSkin* track_ = nullptr;
  bool show_percent_ = true;
  int position_ = 0;  // percent, not clamped
};

// position / 100 × width, truncated toward zero.
[[nodiscard]] int ProgressBarWidth(int position, int width);
