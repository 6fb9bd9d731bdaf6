// Loading the security-data module, behind one interface so that tests can
// watch every call the library makes into it.
#ifndef VELKOR_SOURCE_MODEL_SERVICE_SECURITY_MODULE_LOADER_H_
#define VELKOR_SOURCE_MODEL_SERVICE_SECURITY_MODULE_LOADER_H_

#include "base/file_path.h"

class SecurityModuleLoader {
 public:
  virtual ~SecurityModuleLoader() = default;
  // The module's handle, or null when it cannot be loaded. Its own
  // dependencies are searched in its folder.
  virtual void* Load(const base::FilePath& path) = 0;
  // The export `name`, or null.
  virtual void* Find(void* module, const char* name) = 0;
  virtual void Free(void* module) = 0;
};

// The system's loader; lives as long as the process.
SecurityModuleLoader& SystemSecurityModuleLoader();

// "veyra.dll" on Windows, "libveyra.so" elsewhere.
base::FilePath::StringType SecurityModuleFileName();

#endif  // VELKOR_SOURCE_MODEL_SERVICE_SECURITY_MODULE_LOADER_H_
