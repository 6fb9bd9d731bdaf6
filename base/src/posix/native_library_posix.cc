#include <dlfcn.h>

#include "base/native_library.h"

namespace base {

NativeLibrary LoadNativeLibrary(const FilePath& path, std::string* error) {
  void* library = dlopen(path.AsUTF8Unsafe().c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library && error) {
    const char* reason = dlerror();
    *error = reason ? reason : "dlopen failed";
  }
  return library;
}

void* GetFunctionPointerFromNativeLibrary(NativeLibrary library, const char* name) {
  return dlsym(library, name);
}

void UnloadNativeLibrary(NativeLibrary library) { dlclose(library); }

FilePath::StringType GetNativeLibraryName(const FilePath::StringType& name) {
  return L"lib" + name + L".so";
}

}  // namespace base
