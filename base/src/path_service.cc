#include "base/path_service.h"

#include <map>
#include <mutex>
#include <system_error>

namespace base {
namespace {

std::mutex g_lock;
std::map<int, FilePath>& Overrides() {  // Guarded by g_lock
  static std::map<int, FilePath> overrides;
  return overrides;
}

}  // namespace

bool PathService::Get(int key, FilePath* path) {
  {
    std::lock_guard<std::mutex> guard(g_lock);
    auto it = Overrides().find(key);
    if (it != Overrides().end()) {
      *path = it->second;
      return true;
    }
  }
  FilePath result;
  switch (key) {
    case DIR_CURRENT: {
      std::error_code error;
      result = FilePath::FromPath(std::filesystem::current_path(error));
      break;
    }
    case DIR_EXE:
      result = ModuleDirectoryOf(nullptr);
      break;
    case DIR_MODULE:
      result = ModuleDirectoryOf(reinterpret_cast<const void*>(&PathService::Get));
      break;
    default:
      return false;
  }
  if (result.empty()) return false;
  *path = result;
  return true;
}

void PathService::Override(int key, const FilePath& path) {
  std::lock_guard<std::mutex> guard(g_lock);
  Overrides()[key] = path;
}

}  // namespace base
