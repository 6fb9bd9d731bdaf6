#pragma once

#include <cstdint>
#include <string>

// Root of a registry item; kNone for a name that is none of the five roots, which
// makes every operation on the item fail.
enum class RegistryRoot { kNone, kLocalMachine, kCurrentUser, kUsers, kClassesRoot, kCurrentConfig };

enum class PathKind { kMissing, kFile, kFolder };

// The operating-system actions of the removal strategies, so that the strategies
// stay portable and tests can record what they would do. Failures are not
// reported where the strategies ignore them.
class ISetupSystem {
 public:
  virtual ~ISetupSystem() = default;

  // Opens root\subkey; deletes its sub-key `subkeyName` with everything below it.
  virtual void DeleteRegistryTree(RegistryRoot root, const std::wstring& subkey,
                                  const std::wstring& subkeyName) = 0;
  // Opens root\subkey; deletes its value `name`.
  virtual void DeleteRegistryValue(RegistryRoot root, const std::wstring& subkey,
                                   const std::wstring& name) = 0;
  // Creates or opens root\subkey, which is all that happens for a null value.
  virtual void CreateRegistryKey(RegistryRoot root, const std::wstring& subkey) = 0;
  virtual void WriteRegistryString(RegistryRoot root, const std::wstring& subkey,
                                   const std::wstring& name, const std::wstring& value) = 0;
  virtual void WriteRegistryNumber(RegistryRoot root, const std::wstring& subkey,
                                   const std::wstring& name, std::uint32_t value) = 0;

  // Starts "\"path\" param" and waits up to waitMs for it (0: no wait).
  virtual void RunProcess(const std::wstring& path, const std::wstring& param, bool show,
                          std::uint32_t waitMs) = 0;

  // All-users desktop and start-menu programs folders, as the system reports them.
  [[nodiscard]] virtual std::wstring CommonDesktopFolder() = 0;
  [[nodiscard]] virtual std::wstring CommonProgramsFolder() = 0;
  virtual void CreateShortcut(const std::wstring& target, const std::wstring& arguments,
                              const std::wstring& linkPath) = 0;

  [[nodiscard]] virtual PathKind GetPathKind(const std::wstring& path) = 0;
  virtual void RemoveFile(const std::wstring& path) = 0;
  // The folder with everything inside it.
  virtual void RemoveFolderTree(const std::wstring& path) = 0;
};

// The system the program works on; provided by the Windows build.
[[nodiscard]] ISetupSystem& GetSetupSystem();
