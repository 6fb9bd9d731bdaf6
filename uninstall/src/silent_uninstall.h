#pragma once

#include <chrono>
#include <functional>
#include <string>

#include "setup_system.h"

// Where and how a silent uninstall runs; the program uses RunningProgramSite().
struct SilentUninstallSite {
  std::wstring installDir;  // with a trailing backslash
  std::wstring selfPath;    // left alone by the file deletion
  std::chrono::milliseconds workerBound{std::chrono::minutes(10)};
  std::function<void()> deleteSelf;
  ISetupSystem* system = &GetSetupSystem();
};

// The running program's folder and executable, ten minutes, DeleteSelf.
[[nodiscard]] SilentUninstallSite RunningProgramSite();

// Without asking: terminates the running application, runs the worker for at most
// the bound (then ends it forcibly), and starts the self-deletion in every case.
void RunSilentUninstall(const SilentUninstallSite& site);
