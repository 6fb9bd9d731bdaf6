// The root container of a window: routes the mouse to the control under the pointer,
// keeps the dirty rectangles and offers the window's operations by control id.
#pragma once

#include <vector>

#include "toolkit/sw_container.h"

class CSWView : public CSWContainer {
 public:
  bool IsTag(std::string_view name) const override { return name == "view"; }
  bool HandleMessage(unsigned message, SWParam wparam, SWLParam lparam, SWResult& result) override;

  // By id; nothing happens when no control has it. The setters redraw the control.
  void SetControlVisible(int id, bool visible);
  void SetControlAttribute(int id, const std::string& name, const std::string& value);
  void SetControlText(int id, const std::wstring& text);
  // Leaves `checked` as it was when no control has the id.
  void GetControlCheck(int id, int& checked) const;

  // Once created: adds the control's rectangle and its parent's to the dirty list.
  void InvalidateControl(const CSWControl& control);

  // The control under `point`; never one with id 0, invisible or disabled.
  [[nodiscard]] SWControlPtr FindTarget(SWPoint point) const;

  [[nodiscard]] const std::vector<SWRect>& dirty_rects() const { return dirty_; }
  void ClearDirty() { dirty_.clear(); }
  [[nodiscard]] const SWControlPtr& hovered() const { return hovered_; }

 private:
  void OnMouseMove(SWPoint point);
  void OnButtonDown(SWPoint point, SWLParam lparam);
  void OnButtonUp(SWPoint point, SWLParam lparam);
  void OnMouseHover(SWPoint point, SWLParam lparam);
  void OnMouseLeave();
  // Sends `control` a message whose result nobody reads.
  static void Deliver(CSWControl& control, unsigned message, SWLParam lparam);
  void PostRedraw() const;
  // Finds `id` and, when there is one, applies `change` to it and redraws it.
  template <typename Change>
  void ChangeControl(int id, Change change);

  bool tracking_ = false;
  SWControlPtr hovered_;
  SWControlPtr hover_notified_;
  std::vector<SWRect> dirty_;  // in the order added
};
