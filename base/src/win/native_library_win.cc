#include <windows.h>

#include "base/native_library.h"
#include "base/strings.h"

namespace base {

NativeLibrary LoadNativeLibrary(const FilePath& path, std::string* error) {
  // Dependencies are searched in the library's own folder first.
  HMODULE library = LoadLibraryExW(path.value().c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!library && error) *error = StringPrintf("LoadLibraryExW failed, error %lu", GetLastError());
  return reinterpret_cast<NativeLibrary>(library);
}

void* GetFunctionPointerFromNativeLibrary(NativeLibrary library, const char* name) {
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void UnloadNativeLibrary(NativeLibrary library) { FreeLibrary(static_cast<HMODULE>(library)); }

FilePath::StringType GetNativeLibraryName(const FilePath::StringType& name) {
  return name + L".dll";
}

}  // namespace base
