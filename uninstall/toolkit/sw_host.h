// What the control tree needs from the window that hosts it and from the surface it
// draws on. The Windows host implements both; tests use recording fakes.
#pragma once

#include <memory>
#include <string>

#include "toolkit/sw_geometry.h"

class CSWEdit;
class CSWSkin;
class CSWStyle;

// A real system edit window hosted over a CSWEdit.
class IHostedEdit {
 public:
  virtual ~IHostedEdit() = default;
  // `rect` is the control's rectangle in window coordinates.
  virtual void MoveTo(const SWRect& rect) = 0;
  virtual void Show(bool visible) = 0;
  virtual void SetText(const std::wstring& text) = 0;
  [[nodiscard]] virtual std::wstring GetText() const = 0;
};

// The owner window of a control tree.
class ISWHost {
 public:
  virtual ~ISWHost() = default;
  // Sends the window a command (wParam = id, lParam 0) and returns when it was handled.
  virtual void SendCommand(int id) = 0;
  // Posts the redraw message; repaints of one message turn are coalesced.
  virtual void PostRedraw() = 0;
  // Asks for hover (200 ms) and leave notifications; true when the request succeeded.
  virtual bool TrackMouse() = 0;
  // Lets the user drag the window by its client area.
  virtual void StartWindowDrag() = 0;
  virtual void SetHandCursor(bool hand) = 0;
  // The edit window of `edit`; null when the host cannot create one.
  virtual std::unique_ptr<IHostedEdit> CreateHostedEdit(CSWEdit& edit) = 0;
};

// A drawing surface limited to a clip region.
class ISWCanvas {
 public:
  virtual ~ISWCanvas() = default;
  virtual void DrawSkin(const CSWSkin& skin, const SWBox& box, int state) = 0;
  virtual void DrawStyledText(int state, const SWBox& box, const CSWStyle& style, const std::wstring& text) = 0;
  // A one-pixel opaque red rectangle around `rect`.
  virtual void DrawOutline(const SWRect& rect) = 0;
  // True when `rect` touches the clip region, or when there is none.
  [[nodiscard]] virtual bool TouchesClip(const SWRect& rect) const = 0;
};
