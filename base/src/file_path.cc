#include "base/file_path.h"

#include "base/strings.h"

namespace base {
namespace {

bool IsSeparator(wchar_t c) {
  return c == std::filesystem::path::preferred_separator || c == L'/';
}

}  // namespace

FilePath FilePath::Append(const StringType& component) const {
  if (path_.empty()) return FilePath(component);
  StringType joined = path_;
  if (!IsSeparator(joined.back())) joined.push_back(std::filesystem::path::preferred_separator);
  size_t skip = 0;
  while (skip < component.size() && IsSeparator(component[skip])) ++skip;
  joined.append(component, skip);
  return FilePath(joined);
}

FilePath FilePath::DirName() const {
  size_t end = path_.size();
  while (end > 1 && IsSeparator(path_[end - 1])) --end;
  size_t separator = end;
  while (separator > 0 && !IsSeparator(path_[separator - 1])) --separator;
  if (separator == 0) return FilePath();
  size_t dir_end = separator - 1;
  while (dir_end > 0 && IsSeparator(path_[dir_end - 1])) --dir_end;
  return FilePath(path_.substr(0, dir_end == 0 ? 1 : dir_end));
}

FilePath FilePath::BaseName() const {
  size_t end = path_.size();
  while (end > 1 && IsSeparator(path_[end - 1])) --end;
  size_t start = end;
  while (start > 0 && !IsSeparator(path_[start - 1])) --start;
  return FilePath(path_.substr(start, end - start));
}

std::string FilePath::AsUTF8Unsafe() const { return WideToUTF8(path_); }

// Through UTF-8 so that the conversion is the same on every platform.
std::filesystem::path FilePath::AsPath() const {
  std::string utf8 = AsUTF8Unsafe();
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

FilePath FilePath::FromPath(const std::filesystem::path& path) {
  std::u8string utf8 = path.u8string();
  return FilePath(UTF8ToWide(std::string(utf8.begin(), utf8.end())));
}

}  // namespace base
