// A fresh folder under the system's temporary folder, removed at the end of the test.
#ifndef BASE_TESTS_TEMP_DIR_H_
#define BASE_TESTS_TEMP_DIR_H_

#include <atomic>
#include <random>
#include <filesystem>
#include <string>

#include "base/file_path.h"

class TempDir {
 public:
  TempDir() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("base_test_" + std::to_string(std::random_device()()) + "_" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code error;
    std::filesystem::remove_all(path_, error);
  }
  base::FilePath path() const { return base::FilePath::FromPath(path_); }

 private:
  std::filesystem::path path_;
};

#endif  // BASE_TESTS_TEMP_DIR_H_
