#include "toolkit/sw_check_box.h"

#include "toolkit/sw_skin.h"

int CheckBoxFrame(bool checked, int mouse_state) {
  const bool active = mouse_state == kStateHover || mouse_state == kStatePressed;
  if (checked) return active ? 3 : 2;
  return active ? 1 : 0;
}

void CSWCheckBox::Draw(ISWCanvas& canvas, bool) {
  int frame_width = 0;
  if (skin_ != nullptr) {
    const auto [fw, fh] = GetFrameSize(*skin_);
    frame_width = fw;
    canvas.DrawSkin(*skin_, {rect_.left, rect_.top + (rect_.Height() - fh) / 2, fw, fh},
                    CheckBoxFrame(checked_ != 0, mouse_state_));
  }
  DrawCaption(canvas,
              {rect_.left + frame_width + 3, rect_.top + 1, rect_.Width() - frame_width - 3, rect_.Height() - 1},
              mouse_state_);
}

bool CSWCheckBox::HandleMessage(unsigned message, SWParam wparam, SWLParam lparam, SWResult& result) {
  if (message != kSWLButtonUp) return CSWControl::HandleMessage(message, wparam, lparam, result);
  checked_ = !checked_;
  mouse_state_ = kStateHover;
  if (owner_ != nullptr) owner_->SendCommand(id_ & 0xFFFF);
  result = 0;
  return true;
}
