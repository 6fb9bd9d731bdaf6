#pragma once

#include "setup_system.h"

// The strategies' actions on Windows: the registry in the default view of this
// 32-bit process, processes, shell folders and links, files.
class CWinSetupSystem final : public ISetupSystem {
 public:
  void DeleteRegistryTree(RegistryRoot root, const std::wstring& subkey,
                          const std::wstring& subkeyName) override;
  void DeleteRegistryValue(RegistryRoot root, const std::wstring& subkey,
                           const std::wstring& name) override;
  void CreateRegistryKey(RegistryRoot root, const std::wstring& subkey) override;
  void WriteRegistryString(RegistryRoot root, const std::wstring& subkey, const std::wstring& name,
                           const std::wstring& value) override;
  void WriteRegistryNumber(RegistryRoot root, const std::wstring& subkey, const std::wstring& name,
                           std::uint32_t value) override;

  void RunProcess(const std::wstring& path, const std::wstring& param, bool show,
                  std::uint32_t waitMs) override;

  std::wstring CommonDesktopFolder() override;
  std::wstring CommonProgramsFolder() override;
  void CreateShortcut(const std::wstring& target, const std::wstring& arguments,
                      const std::wstring& linkPath) override;

  PathKind GetPathKind(const std::wstring& path) override;
  void RemoveFile(const std::wstring& path) override;
  void RemoveFolderTree(const std::wstring& path) override;
};
