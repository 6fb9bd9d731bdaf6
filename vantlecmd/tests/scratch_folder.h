// A fresh folder under the temporary folder, removed with its contents.
#ifndef VANTLECMD_TESTS_SCRATCH_FOLDER_H_
#define VANTLECMD_TESTS_SCRATCH_FOLDER_H_

#include <filesystem>

namespace vantlecmd::tests {

class CScratchFolder {
 public:
  CScratchFolder();
  ~CScratchFolder();
  CScratchFolder(const CScratchFolder&) = delete;
  CScratchFolder& operator=(const CScratchFolder&) = delete;

  [[nodiscard]] const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace vantlecmd::tests

#endif  // VANTLECMD_TESTS_SCRATCH_FOLDER_H_
