#pragma once

#include <string>

// The command that deletes `executable` through the command interpreter `comSpec`:
//   C:\Windows\system32\cmd.exe /c del "C:\App\uninstall.exe"
// Built to any length, so that a long install path cannot overflow it.
[[nodiscard]] std::wstring SelfDeleteCommand(const std::wstring& comSpec, const std::wstring& executable);

// Starts, hidden and without waiting, the command interpreter deleting this
// program's executable; the deletion succeeds once this program has exited.
void DeleteSelf();
