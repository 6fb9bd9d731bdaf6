#include "toolkit/sw_progress_bar.h"

#include "toolkit/resource_tables.h"
#include "toolkit/text_readers.h"

int ProgressBarWidth(int position, int width) {
  return static_cast<int>(static_cast<double>(position) / 100.0 * width);
}

void CSWProgressBar::Draw(ISWCanvas& canvas, bool) {
  if (bar_ == nullptr || track_ == nullptr) return;
  const int track_height = GetFrameSize(*track_).second;
  const int y = rect_.top + (rect_.Height() - track_height) / 2;
  canvas.DrawSkin(*track_, {rect_.left, y, rect_.Width(), rect_.Height()}, kStateNormal);
  canvas.DrawSkin(*bar_, {rect_.left, y, ProgressBarWidth(position_, rect_.Width()), rect_.Height()}, kStateNormal);
  if (show_percent_ && style_ != nullptr) {
    canvas.DrawStyledText(kStateNormal, rect_.Box(), *style_, std::to_wstring(position_) + L"%");
  }
}

bool CSWProgressBar::SetAttribute(const std::string& name, const std::string& value) {
  if (CSWControl::SetAttribute(name, value)) return true;
  if (name == "skinbar") {
    bar_ = FindSkin(value);
  } else if (name == "skinbg") {
    track_ = FindSkin(value);
  } else if (name == "ShowPercent") {
    show_percent_ = IsTrueText(value);
  } else if (name == "progresspos") {
    position_ = ReadDecimal(value);
  } else {
    return false;
  }
  return true;
}
