// A text field: drawn by its skin, typed into through a real edit window that the
// host places over it.
#pragma once

#include <cstdint>

#include "toolkit/sw_control.h"

class CSWEdit : public CSWControl {
 public:
  bool IsTag(std::string_view name) const override { return name == "edit"; }
  void Draw(ISWCanvas& canvas, bool outline) override;
  bool HasHostedWindow() const override { return true; }
  bool WantsHandCursor() const override { return false; }
  void SetText(const std::wstring& text) override;
  std::wstring GetText() const override;
  void SetRect(const SWRect& rect) override;
  void SetVisible(int visible) override;
  bool HandleMessage(unsigned message, SWParam wparam, SWLParam lparam, SWResult& result) override;
  bool SetAttribute(const std::string& name, const std::string& value) override;

  [[nodiscard]] std::uint32_t background_colour() const { return background_colour_; }
  [[nodiscard]] bool read_only() const { return read_only_; }
  [[nodiscard]] bool focused() const { return focused_; }
  // Called by the edit window as it gains or loses the focus.
  void set_focused(bool focused) { focused_ = focused; }
  // Called by the edit window whenever its text changed: the control keeps the text,
  // so that it is still there once the window is gone.
  void OnTextChanged(std::wstring text) { caption_ = std::move(text); }

 private:
  std::unique_ptr<IHostedEdit> window_;
  std::uint32_t background_colour_ = 0xFFFFFF;
  bool read_only_ = false;
  bool focused_ = false;
};
