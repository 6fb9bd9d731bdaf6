#include "toolkit/sw_control.h"

#include "toolkit/resource_tables.h"
#include "toolkit/sw_container.h"
#include "toolkit/text_readers.h"

namespace {

SWRect RectFromPosText(const std::string& text) {
  const auto [x, y, w, h] = ReadDecimalList<4>(text);
  return {x, y, x + w, y + h};
}

}  // namespace

void CSWControl::Draw(ISWCanvas&, bool) {}

void CSWControl::SetEnabled(int enabled) {
  enabled_ = enabled;
  mouse_state_ = enabled ? kStateNormal : kStateDisabled;
}

int CSWControl::HitTest(SWPoint point) const {
  return visible_ && enabled_ && rect_.Contains(point.x, point.y) ? id_ : 0;
}

bool CSWControl::HandleMessage(unsigned message, SWParam, SWLParam, SWResult& result) {
  switch (message) {
    case kSWCreate:
      created_ = true;
      break;
    case kSWMouseMove:
      mouse_state_ = kStateHover;
      break;
    case kSWLButtonDown:
      mouse_state_ = kStatePressed;
      break;
    case kSWLButtonUp:
      mouse_state_ = kStateHover;
      if (owner_ != nullptr) owner_->SendCommand(id_);
      break;
    case kSWMouseHover:
      break;
    case kSWMouseLeave:
      mouse_state_ = kStateNormal;
      break;
    default:
      return false;
  }
  result = 0;
  return true;
}

void CSWControl::Parse(const boost::property_tree::ptree& attributes) {
  CSWObject::Parse(attributes);
  caption_ = ResolveResText(caption_);
  tip_ = ResolveResText(tip_);
  if (!pos_text_.empty()) rect_ = RectFromPosText(pos_text_);
  if (!red_dot_pos_text_.empty()) red_dot_rect_ = RectFromPosText(red_dot_pos_text_);
  if (parent_ != nullptr) {
    const SWRect origin = parent_->GetRect();
    rect_ = {rect_.left + origin.left, rect_.top + origin.top, rect_.right + origin.left, rect_.bottom + origin.top};
  }
}

bool CSWControl::SetAttribute(const std::string& name, const std::string& value) {
  if (name == "id") {
    id_ = ReadDecimal(value);
  } else if (name == "pos") {
    pos_text_ = value;
  } else if (name == "visible") {
    visible_ = IsTrueText(value);
  } else if (name == "check") {
    checked_ = IsTrueText(value);
  } else if (name == "style") {
    style_ = FindStyle(value);
  } else if (name == "skin") {
    skin_ = FindSkin(value);
  } else if (name == "caption") {
    caption_ = Utf8ToWide(value);
  } else if (name == "tip") {
    tip_ = Utf8ToWide(value);
  } else if (name == "HasRedDot") {
    red_dot_shown_ = IsTrueText(value);
  } else if (name == "RedDotSkin") {
    red_dot_skin_ = FindSkin(value);
  } else if (name == "RedDotPos") {
    red_dot_pos_text_ = value;
  } else {
    return false;
  }
  return true;
}

void CSWControl::DrawRedDot(ISWCanvas& canvas) const {
  if (!red_dot_shown_ || red_dot_skin_ == nullptr) return;
  canvas.DrawSkin(*red_dot_skin_,
                  {rect_.left + red_dot_rect_.left, rect_.top + red_dot_rect_.top, red_dot_rect_.Width(),
                   red_dot_rect_.Height()},
                  kStateNormal);
}

void CSWControl::DrawCaption(ISWCanvas& canvas, const SWBox& box, int state) const {
  if (!caption_.empty() && style_ != nullptr) canvas.DrawStyledText(state, box, *style_, caption_);
}

void DrawControl(ISWCanvas& canvas, CSWControl& control, bool outline) {
  if (!control.GetVisible()) return;
  const SWRect rect = control.GetRect();
  if (outline) canvas.DrawOutline(rect);
  if (control.IsContainer() || canvas.TouchesClip(rect)) control.Draw(canvas, outline);
  control.DrawRedDot(canvas);
}
