#include <windows.h>

#include "toolkit/module_resource.h"
#include "toolkit/text_readers.h"

std::optional<std::string> ReadModuleResource(int id, const char* type) {
  const std::wstring wide_type = Utf8ToWide(type);
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), wide_type.c_str());
  if (found == nullptr) return std::nullopt;
  HGLOBAL loaded = LoadResource(nullptr, found);
  const DWORD size = SizeofResource(nullptr, found);
  const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (bytes == nullptr) return std::nullopt;
  return std::string(static_cast<const char*>(bytes), size);
}
