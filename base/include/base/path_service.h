// Well-known directories by key.
#ifndef BASE_PATH_SERVICE_H_
#define BASE_PATH_SERVICE_H_

#include "base/file_path.h"

namespace base {

enum PathKey {
  DIR_CURRENT = 1,
  DIR_EXE = 2,
  // The folder of the module that overrides it (velkor sets its own folder at
  // load); by default the folder of the base module.
  DIR_MODULE = 5,
};

class PathService {
 public:
  static bool Get(int key, FilePath* path);
  static void Override(int key, const FilePath& path);
};

// The folder of the executable or shared library that contains `address`.
FilePath ModuleDirectoryOf(const void* address);

}  // namespace base

#endif  // BASE_PATH_SERVICE_H_
