#include "base/file_util.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace base {

bool DirectoryExists(const FilePath& path) {
  std::error_code error;
  return std::filesystem::is_directory(path.AsPath(), error);
}

bool ReadFileToString(const FilePath& path, std::string* contents) {
  std::ifstream file(path.AsPath(), std::ios::binary);
  if (!file) return false;
  std::string data((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) return false;
  if (contents) *contents = std::move(data);
  return true;
}

}  // namespace base

namespace file_util {

bool CreateDirectoryW(const base::FilePath& path) {
  std::error_code error;
  std::filesystem::create_directories(path.AsPath(), error);
  return base::DirectoryExists(path);
}

int WriteFile(const base::FilePath& path, const char* data, int size) {
  if (size < 0) return -1;
  std::ofstream file(path.AsPath(), std::ios::binary | std::ios::trunc);
  if (!file) return -1;
  file.write(data, size);
  file.close();
  return file ? size : -1;
}

}  // namespace file_util
