#include "thread_name.h"

#include <windows.h>

#include "base/strings.h"

namespace base::internal {

void SetCurrentThreadName(const std::string& name) {
  // SetThreadDescription exists from Windows 10 on; look it up rather than link it.
  using SetDescription = HRESULT(WINAPI*)(HANDLE, PCWSTR);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  auto set = kernel ? reinterpret_cast<SetDescription>(
                          reinterpret_cast<void*>(GetProcAddress(kernel, "SetThreadDescription")))
                    : nullptr;
  if (set) set(GetCurrentThread(), UTF8ToWide(name).c_str());
}

}  // namespace base::internal
