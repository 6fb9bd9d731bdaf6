// The base of every windowless control: attributes, geometry, mouse state, messages.
#pragma once

#include <memory>
#include <string>

#include "toolkit/sw_geometry.h"
#include "toolkit/sw_host.h"
#include "toolkit/sw_messages.h"
#include "toolkit/sw_object.h"

class CSWContainer;
class CSWSkin;
class CSWStyle;

// Mouse states; 3 (checked and hovered) only appears as a drawing state.
enum SWMouseState { kStateNormal = 0, kStateHover = 1, kStatePressed = 2, kStateCheckedHover = 3, kStateDisabled = 4 };

// The red-dot badge a control may show; its rectangle is relative to the control.
class CSWRedDot {
 public:
  virtual ~CSWRedDot() = default;

 protected:
  bool red_dot_shown_ = false;
  SWRect red_dot_rect_;
  CSWSkin* red_dot_skin_ = nullptr;
  std::string red_dot_pos_text_;
};

class CSWControl : public CSWRedDot, public CSWObject {
 public:
  CSWControl() = default;

  virtual void SetOwnerWindow(ISWHost* owner) { owner_ = owner; }
  virtual void Draw(ISWCanvas& canvas, bool outline);
  [[nodiscard]] virtual bool IsContainer() const { return false; }
  [[nodiscard]] virtual bool HasHostedWindow() const { return false; }
  virtual void SetText(const std::wstring& text) { caption_ = text; }
  [[nodiscard]] virtual std::wstring GetText() const { return caption_; }
  virtual void SetRect(const SWRect& rect) { rect_ = rect; }
  [[nodiscard]] virtual SWRect GetRect() const { return rect_; }
  virtual void SetCheck(int checked) { checked_ = checked; }
  [[nodiscard]] virtual int GetCheck() const { return checked_; }
  virtual void SetVisible(int visible) { visible_ = visible; }
  [[nodiscard]] virtual int GetVisible() const { return visible_; }
  virtual void SetEnabled(int enabled);
  [[nodiscard]] virtual int GetEnabled() const { return enabled_; }
  virtual void SetTip(const std::wstring& tip) { tip_ = tip; }
  [[nodiscard]] virtual std::wstring GetTip() const { return tip_; }
  // The id when visible, enabled and `point` lies inside (right and bottom excluded).
  [[nodiscard]] virtual int HitTest(SWPoint point) const;
  [[nodiscard]] virtual bool WantsHandCursor() const { return true; }
  // True when the message was consumed; `result` is then its result.
  virtual bool HandleMessage(unsigned message, SWParam wparam, SWLParam lparam, SWResult& result);

  // The attribute loop, the "~" lookup of caption and tip, the rectangles from their
  // texts, then the shift by the parent's top-left corner.
  void Parse(const boost::property_tree::ptree& attributes) override;
  bool SetAttribute(const std::string& name, const std::string& value) override;

  [[nodiscard]] int id() const { return id_; }
  [[nodiscard]] int mouse_state() const { return mouse_state_; }
  [[nodiscard]] bool created() const { return created_; }
  [[nodiscard]] ISWHost* owner() const { return owner_; }
  [[nodiscard]] CSWContainer* parent() const { return parent_; }
  void set_parent(CSWContainer* parent) { parent_ = parent; }
  [[nodiscard]] const CSWSkin* skin() const { return skin_; }
  [[nodiscard]] const CSWStyle* style() const { return style_; }
  [[nodiscard]] const std::wstring& caption() const { return caption_; }
  // Draws the red-dot badge when shown and skinned.
  void DrawRedDot(ISWCanvas& canvas) const;

 protected:
  // Draws the caption in `box` with `state` when there is one and a style.
  void DrawCaption(ISWCanvas& canvas, const SWBox& box, int state) const;

  ISWHost* owner_ = nullptr;
  CSWContainer* parent_ = nullptr;
  bool created_ = false;
  CSWStyle* style_ = nullptr;
  CSWSkin* skin_ = nullptr;
  int id_ = 0;
  SWRect rect_;
  int mouse_state_ = kStateNormal;
  std::wstring tip_;
  std::wstring caption_;
  std::string pos_text_;
  int checked_ = 0;
  int visible_ = 1;
  int enabled_ = 1;
};

using SWControlPtr = std::shared_ptr<CSWControl>;

// Draws `control` when visible and touching the clip region (containers always), with
// an optional debug outline, then its badge.
void DrawControl(ISWCanvas& canvas, CSWControl& control, bool outline);
