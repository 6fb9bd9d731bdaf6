#pragma once

#include <string>

// Wide text in the system's ANSI code page; characters it lacks become "?".
[[nodiscard]] std::string WideToAnsi(const std::wstring& text);
