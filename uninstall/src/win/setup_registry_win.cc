// The registry half of CWinSetupSystem.
#include <windows.h>

#include "win/setup_system_win.h"

namespace {

HKEY RootKey(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::kLocalMachine: return HKEY_LOCAL_MACHINE;
    case RegistryRoot::kCurrentUser: return HKEY_CURRENT_USER;
    case RegistryRoot::kUsers: return HKEY_USERS;
    case RegistryRoot::kClassesRoot: return HKEY_CLASSES_ROOT;
    case RegistryRoot::kCurrentConfig: return HKEY_CURRENT_CONFIG;
    case RegistryRoot::kNone: break;
  }
  return nullptr;
}

using RegDeleteKeyExFunction = LONG(WINAPI*)(HKEY, LPCWSTR, REGSAM, DWORD);

// Looked up once: systems before Vista lack it.
LONG DeleteKey(HKEY parent, const std::wstring& name) {
  static const auto deleteKeyEx = reinterpret_cast<RegDeleteKeyExFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"Advapi32.dll"), "RegDeleteKeyExW")));
  if (deleteKeyEx != nullptr) return deleteKeyEx(parent, name.c_str(), 0, 0);
  return RegDeleteKeyW(parent, name.c_str());
}

// Depth first: sub-keys are taken at index 0 until none is left. True when the key
// is gone; a sub-key that stays ends the loop, which would find it again for ever.
bool DeleteKeyTree(HKEY parent, const std::wstring& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(parent, name.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
    wchar_t child[256];
    DWORD length = ARRAYSIZE(child);
    while (RegEnumKeyExW(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           DeleteKeyTree(key, std::wstring(child, length))) {
      length = ARRAYSIZE(child);
    }
    RegCloseKey(key);
  }
  return DeleteKey(parent, name) == ERROR_SUCCESS;
}

// The key root\subkey opened with all access, closed when it goes.
class OpenedKey {
 public:
  OpenedKey(RegistryRoot root, const std::wstring& subkey, bool create) {
    HKEY rootKey = RootKey(root);
    if (rootKey == nullptr) return;
    const LONG status =
        create ? RegCreateKeyExW(rootKey, subkey.c_str(), 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                                 &key_, nullptr)
               : RegOpenKeyExW(rootKey, subkey.c_str(), 0, KEY_ALL_ACCESS, &key_);
    if (status != ERROR_SUCCESS) key_ = nullptr;
  }
  OpenedKey(const OpenedKey&) = delete;
  OpenedKey& operator=(const OpenedKey&) = delete;
  ~OpenedKey() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  [[nodiscard]] HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

void CWinSetupSystem::DeleteRegistryTree(RegistryRoot root, const std::wstring& subkey,
                                         const std::wstring& subkeyName) {
  OpenedKey key(root, subkey, false);
  if (key.get() != nullptr) DeleteKeyTree(key.get(), subkeyName);
}

void CWinSetupSystem::DeleteRegistryValue(RegistryRoot root, const std::wstring& subkey,
                                          const std::wstring& name) {
  OpenedKey key(root, subkey, false);
  if (key.get() != nullptr) RegDeleteValueW(key.get(), name.c_str());
}

void CWinSetupSystem::CreateRegistryKey(RegistryRoot root, const std::wstring& subkey) {
  OpenedKey key(root, subkey, true);
}

void CWinSetupSystem::WriteRegistryString(RegistryRoot root, const std::wstring& subkey,
                                          const std::wstring& name, const std::wstring& value) {
  OpenedKey key(root, subkey, true);
  if (key.get() == nullptr) return;
  const DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes);
}

void CWinSetupSystem::WriteRegistryNumber(RegistryRoot root, const std::wstring& subkey,
                                          const std::wstring& name, std::uint32_t value) {
  OpenedKey key(root, subkey, true);
  if (key.get() == nullptr) return;
  const DWORD number = value;
  RegSetValueExW(key.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                 sizeof(number));
}
