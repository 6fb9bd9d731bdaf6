#include "toolkit/sw_basic_controls.h"

#include "toolkit/sw_skin.h"

void CSWImage::Draw(ISWCanvas& canvas, bool) {
  if (skin_ != nullptr) canvas.DrawSkin(*skin_, rect_.Box(), kStateNormal);
}

void CSWText::Draw(ISWCanvas& canvas, bool) { DrawCaption(canvas, rect_.Box(), mouse_state_); }

int ButtonFrameForState(int mouse_state) {
  switch (mouse_state) {
    case kStateHover:
    case kStatePressed:
    case kStateCheckedHover:
      return 1;
    case kStateDisabled:
      return 2;
    default:
      return 0;
  }
}

void CSWButton::Draw(ISWCanvas& canvas, bool) {
  if (skin_ != nullptr) canvas.DrawSkin(*skin_, rect_.Box(), ButtonFrameForState(mouse_state_));
  DrawCaption(canvas, {rect_.left, rect_.top + 1, rect_.Width(), rect_.Height() - 1}, mouse_state_);
}
