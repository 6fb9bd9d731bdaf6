#include <windows.h>

#include "app_running_prompt.h"

bool AskRetryInMessageBox(const std::wstring& text, const std::wstring& caption) {
  return MessageBoxW(nullptr, text.c_str(), caption.c_str(), MB_RETRYCANCEL) == IDRETRY;
}
