#include <windows.h>

#include "platform_quirks.h"

namespace net::testing {

bool ResetMayArriveAsOrderlyClose() {
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace net::testing
