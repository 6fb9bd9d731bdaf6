#pragma once

#include <string>

// Full path of the running executable; empty when it cannot be obtained.
[[nodiscard]] std::wstring GetModulePath();

// Folder of the running executable with exactly one trailing backslash; empty when
// the executable's path cannot be obtained.
[[nodiscard]] std::wstring GetModuleDir();
