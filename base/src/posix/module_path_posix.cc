#include <dlfcn.h>
#include <unistd.h>

#include <vector>

#include "base/path_service.h"
#include "base/strings.h"

namespace base {

FilePath ModuleDirectoryOf(const void* address) {
  std::string path;
  if (address) {
    Dl_info info{};
    if (dladdr(address, &info) && info.dli_fname) path = info.dli_fname;
  } else {
    std::vector<char> buffer(4096);
    ssize_t size = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (size > 0) path.assign(buffer.data(), static_cast<size_t>(size));
  }
  if (path.empty()) return FilePath();
  return FilePath(UTF8ToWide(path)).DirName();
}

}  // namespace base
