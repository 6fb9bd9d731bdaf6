#include "toolkit/sw_view.h"

namespace {

bool IsClickable(const CSWControl& control) {
  return control.IsTag("button") || control.IsTag("link") || control.IsTag("checkbox");
}

}  // namespace

bool CSWView::HandleMessage(unsigned message, SWParam wparam, SWLParam lparam, SWResult& result) {
  const bool mouse_case = message == kSWSetCursor || message == kSWNotify || message == kSWMouseMove ||
                          message == kSWLButtonDown || message == kSWLButtonUp || message == kSWMouseHover ||
                          message == kSWMouseLeave;
  if (!mouse_case || !enabled_) return CSWContainer::HandleMessage(message, wparam, lparam, result);

  const SWPoint point = PointFromLParam(lparam);
  switch (message) {
    case kSWSetCursor: {
      const unsigned cause = static_cast<unsigned>((lparam >> 16) & 0xFFFF);
      if (cause < kSWMouseFirst || cause > kSWMouseLast) return false;
      if (owner_ != nullptr) owner_->SetHandCursor(hovered_ != nullptr && hovered_->WantsHandCursor());
      break;
    }
    case kSWNotify: {
      const auto* notify = reinterpret_cast<const SWNotifyHeader*>(lparam);
      if (notify == nullptr || notify->code != kSWNotifyInvalidate) {
        return CSWContainer::HandleMessage(message, wparam, lparam, result);
      }
      dirty_.push_back(reinterpret_cast<const SWNotifyRect*>(lparam)->rect);
      PostRedraw();
      break;
    }
    case kSWMouseMove:
      OnMouseMove(point);
      break;
    case kSWLButtonDown:
      OnButtonDown(point, lparam);
      break;
    case kSWLButtonUp:
      OnButtonUp(point, lparam);
      break;
    case kSWMouseHover:
      OnMouseHover(point, lparam);
      break;
    default:
      OnMouseLeave();
      break;
  }
  result = 0;
  return true;
}

void CSWView::OnMouseMove(SWPoint point) {
  tracking_ = owner_ != nullptr && owner_->TrackMouse();
  const SWControlPtr target = FindTarget(point);
  bool changed = false;
  if (target != hovered_) {
    if (hovered_) {
      Deliver(*hovered_, kSWMouseLeave, 0);
      InvalidateControl(*hovered_);
    }
    if (target) {
      // A control hears of the pointer only as it enters.
      Deliver(*target, kSWMouseMove, LParamFromPoint(point.x, point.y));
      InvalidateControl(*target);
    }
    changed = true;
  }
  hovered_ = target;
  if (hover_notified_ && hover_notified_ != target) {
    Deliver(*hover_notified_, kSWMouseLeave, 0);
    InvalidateControl(*hover_notified_);
    hover_notified_.reset();
    changed = true;
  }
  if (changed) PostRedraw();
}

void CSWView::OnButtonDown(SWPoint point, SWLParam lparam) {
  const SWControlPtr target = FindTarget(point);
  if (target && IsClickable(*target)) {
    Deliver(*target, kSWLButtonDown, lparam);
    InvalidateControl(*target);
    PostRedraw();
  } else if (owner_ != nullptr) {
    owner_->StartWindowDrag();
  }
}

void CSWView::OnButtonUp(SWPoint point, SWLParam lparam) {
  const SWControlPtr target = FindTarget(point);
  if (!target) return;
  Deliver(*target, kSWLButtonUp, lparam);
  InvalidateControl(*target);
  PostRedraw();
}

void CSWView::OnMouseHover(SWPoint point, SWLParam lparam) {
  const SWControlPtr target = FindTarget(point);
  if (!target || target == hover_notified_) return;
  Deliver(*target, kSWMouseHover, lparam);
  InvalidateControl(*target);
  hover_notified_ = target;
  PostRedraw();
}

void CSWView::OnMouseLeave() {
  tracking_ = false;
  const bool had_hovered = hovered_ != nullptr;
  if (hovered_) {
    Deliver(*hovered_, kSWMouseLeave, 0);
    InvalidateControl(*hovered_);
    hovered_.reset();
  }
  hover_notified_.reset();
  if (had_hovered) PostRedraw();
}

void CSWView::Deliver(CSWControl& control, unsigned message, SWLParam lparam) {
  SWResult ignored = 0;
  control.HandleMessage(message, 0, lparam, ignored);
}

void CSWView::PostRedraw() const {
  if (owner_ != nullptr) owner_->PostRedraw();
}

SWControlPtr CSWView::FindTarget(SWPoint point) const {
  for (const SWControlPtr& child : children_) {
    const int id = child->HitTest(point);
    if (id == 0) continue;
    if (child->IsContainer()) return FindControlById(static_cast<const CSWContainer&>(*child), id);
    return child;
  }
  return nullptr;
}

void CSWView::InvalidateControl(const CSWControl& control) {
  if (!created_) return;
  dirty_.push_back(control.GetRect());
  if (control.parent() != nullptr) dirty_.push_back(control.parent()->GetRect());
}

template <typename Change>
void CSWView::ChangeControl(int id, Change change) {
  const SWControlPtr control = FindControlById(*this, id);
  if (!control) return;
  change(*control);
  InvalidateControl(*control);
  if (created_) PostRedraw();
}

void CSWView::SetControlVisible(int id, bool visible) {
  ChangeControl(id, [visible](CSWControl& c) { c.SetVisible(visible ? 1 : 0); });
}

void CSWView::SetControlAttribute(int id, const std::string& name, const std::string& value) {
  ChangeControl(id, [&](CSWControl& c) { c.SetAttribute(name, value); });
}

void CSWView::SetControlText(int id, const std::wstring& text) {
  ChangeControl(id, [&](CSWControl& c) { c.SetText(text); });
}

void CSWView::GetControlCheck(int id, int& checked) const {
  if (const SWControlPtr control = FindControlById(*this, id)) checked = control->GetCheck();
}
