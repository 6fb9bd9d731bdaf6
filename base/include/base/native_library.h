// Loading a shared library at run time and looking up its exports, the way a
// host loads the velkor library.
#ifndef BASE_NATIVE_LIBRARY_H_
#define BASE_NATIVE_LIBRARY_H_

#include <string>

#include "base/file_path.h"

namespace base {

using NativeLibrary = void*;

// Null on failure, with the system's reason in *error when given.
NativeLibrary LoadNativeLibrary(const FilePath& path, std::string* error);
void* GetFunctionPointerFromNativeLibrary(NativeLibrary library, const char* name);
void UnloadNativeLibrary(NativeLibrary library);
// "velkor" -> "libvelkor.so" or "velkor.dll".
FilePath::StringType GetNativeLibraryName(const FilePath::StringType& name);

}  // namespace base

#endif  // BASE_NATIVE_LIBRARY_H_
