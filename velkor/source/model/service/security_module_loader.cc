#include "security_module_loader.h"

#include "base/native_library.h"

namespace {

class NativeLibraryLoader : public SecurityModuleLoader {
 public:
  void* Load(const base::FilePath& path) override {
    return base::LoadNativeLibrary(path, nullptr);
  }
  void* Find(void* module, const char* name) override {
    return base::GetFunctionPointerFromNativeLibrary(module, name);
  }
  void Free(void* module) override { base::UnloadNativeLibrary(module); }
};

}  // namespace

SecurityModuleLoader& SystemSecurityModuleLoader() {
  static NativeLibraryLoader loader;
  return loader;
}

base::FilePath::StringType SecurityModuleFileName() {
  return base::GetNativeLibraryName(L"veyra");
}
