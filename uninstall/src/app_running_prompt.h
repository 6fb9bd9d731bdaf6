#pragma once

#include <functional>
#include <string>

// Asks the user to close the application: true for "Retry", false for "Cancel".
using RetryQuestion = std::function<bool(const std::wstring& text, const std::wstring& caption)>;

// The system's Retry/Cancel message box without owner or icon.
[[nodiscard]] bool AskRetryInMessageBox(const std::wstring& text, const std::wstring& caption);

// While the application at `appPath` runs, shows "alreadyrunnotify" (its "\n"
// sequences as line breaks) under the caption "msgboxtitle". True when it still
// runs and the user gave up; false once it does not run.
[[nodiscard]] bool PromptWhileAppRunning(const std::wstring& appPath,
                                         const RetryQuestion& ask = AskRetryInMessageBox);
