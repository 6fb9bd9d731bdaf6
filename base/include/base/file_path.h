// A file system path held as a wide string on every platform.
#ifndef BASE_FILE_PATH_H_
#define BASE_FILE_PATH_H_

#include <filesystem>
#include <string>

namespace base {

class FilePath {
 public:
  using StringType = std::wstring;

  FilePath() = default;
  explicit FilePath(StringType path) : path_(std::move(path)) {}

  const StringType& value() const { return path_; }
  bool empty() const { return path_.empty(); }

  // `component` joined with one separator; an empty path gives `component` alone.
  FilePath Append(const StringType& component) const;
  FilePath Append(const FilePath& component) const { return Append(component.value()); }
  // The path without its last component.
  FilePath DirName() const;
  // The last component.
  FilePath BaseName() const;

  std::string AsUTF8Unsafe() const;
  std::filesystem::path AsPath() const;
  static FilePath FromPath(const std::filesystem::path& path);

  bool operator==(const FilePath& other) const { return path_ == other.path_; }

 private:
  StringType path_;
};

}  // namespace base

#endif  // BASE_FILE_PATH_H_
