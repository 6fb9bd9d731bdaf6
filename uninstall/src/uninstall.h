#pragma once

#include <map>
#include <mutex>
#include <string>

#include "module_path.h"
#include "setup_strategy.h"
#include "setup_system.h"

// The application's main executable, relative to the install folder.
inline constexpr wchar_t kAppRelativePath[] = L"bin\\32bit\\vantle.exe";

// Progress of a running uninstall:
//   1, ""      the strategies are about to run
//   2, ""      the strategies are done; file deletion begins
//   2, path    that file was deleted (or scheduled for deletion at restart)
//   3, ""      the uninstall is complete
class IUninstallProgressCallBack {
 public:
  virtual ~IUninstallProgressCallBack() = default;
  // Runs on the worker thread.
  virtual void OnUninstallProgress(int step, const std::wstring& text) = 0;
};

// One uninstall run: the setup description's strategies, then every file of the
// install folder except the excluded paths.
class CUninstall {
 public:
  // `callback` may be null. `installDir` ends with a backslash.
  explicit CUninstall(IUninstallProgressCallBack* callback, std::wstring installDir = GetModuleDir(),
                      ISetupSystem& system = GetSetupSystem());
  CUninstall(const CUninstall&) = delete;
  CUninstall& operator=(const CUninstall&) = delete;

  // Leaves a file or folder (one trailing backslash is dropped) and, for a folder,
  // everything in it alone. Paths compare ignoring letter case, as the file system
  // does. Call before the worker starts.
  void AddExcludedPath(std::wstring path);

  // The worker thread's body; `unused` is not read. Always returns 0.
  int DoStartUnInstall(void* unused);

 private:
  struct IgnoringCase {
    bool operator()(const std::wstring& a, const std::wstring& b) const;
  };
  using ExcludedPaths = std::map<std::wstring, int, IgnoringCase>;

  void DeleteInstallFiles(std::wstring folder);
  void Report(int step, const std::wstring& text = {});

  IUninstallProgressCallBack* const callback_;
  const std::wstring installDir_;
  ISetupSystem& system_;
  SetupStrategyList strategies_;
  std::mutex excludedLock_;
  ExcludedPaths excluded_;  // Guarded by excludedLock_; every value is 1.
};
