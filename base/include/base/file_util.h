// Whole-file helpers.
#ifndef BASE_FILE_UTIL_H_
#define BASE_FILE_UTIL_H_

#include <string>

#include "base/file_path.h"

namespace base {

bool DirectoryExists(const FilePath& path);
// Reads the whole file; false when it cannot be opened or read.
bool ReadFileToString(const FilePath& path, std::string* contents);

}  // namespace base

namespace file_util {

// Creates the directory and any missing parents; true when it exists afterwards.
bool CreateDirectoryW(const base::FilePath& path);
// Replaces the file's contents; returns the bytes written or -1.
int WriteFile(const base::FilePath& path, const char* data, int size);

}  // namespace file_util

#endif  // BASE_FILE_UTIL_H_
