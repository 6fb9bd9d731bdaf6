#include "toolkit/sw_edit.h"

#include "toolkit/text_readers.h"

void CSWEdit::Draw(ISWCanvas& canvas, bool) {
  if (skin_ != nullptr) canvas.DrawSkin(*skin_, rect_.Box(), focused_ ? 1 : 0);
}

void CSWEdit::SetText(const std::wstring& text) {
  CSWControl::SetText(text);
  if (window_) window_->SetText(text);
}

std::wstring CSWEdit::GetText() const { return window_ ? window_->GetText() : caption_; }

void CSWEdit::SetRect(const SWRect& rect) {
  CSWControl::SetRect(rect);
  if (window_) window_->MoveTo(rect_);
}

void CSWEdit::SetVisible(int visible) {
  CSWControl::SetVisible(visible);
  if (window_) window_->Show(visible != 0);
}

bool CSWEdit::HandleMessage(unsigned message, SWParam wparam, SWLParam lparam, SWResult& result) {
  switch (message) {
    case kSWCreate:
      if (owner_ != nullptr && !window_) {
        window_ = owner_->CreateHostedEdit(*this);
        if (window_) {
          window_->SetText(caption_);
          window_->Show(visible_ != 0);
        }
      }
      break;
    case kSWMove:
      if (window_) window_->MoveTo(rect_);
      break;
    case kSWDestroy:
      window_.reset();
      break;
    default:
      break;
  }
  return CSWControl::HandleMessage(message, wparam, lparam, result);
}

bool CSWEdit::SetAttribute(const std::string& name, const std::string& value) {
  if (CSWControl::SetAttribute(name, value)) return true;
  if (name == "bgcolor") {
    background_colour_ = ReadHexColour(value);
  } else if (name == "readonly") {
    read_only_ = IsTrueText(value);
  } else {
    return false;
  }
  return true;
}
