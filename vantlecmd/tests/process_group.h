// Processes a test starts, together with every process those start in turn,
// so that a test can count them and none outlives it.
#ifndef VANTLECMD_TESTS_PROCESS_GROUP_H_
#define VANTLECMD_TESTS_PROCESS_GROUP_H_

#include <windows.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string_view>

namespace vantlecmd::tests {

// One started process; closing it leaves the process to its group.
class CChildProcess {
 public:
  explicit CChildProcess(HANDLE process) : process_(process) {}
  ~CChildProcess();
  CChildProcess(CChildProcess&& other) noexcept;
  CChildProcess& operator=(CChildProcess&&) = delete;

  // The exit code, or nothing while the process still runs after |limit|.
  [[nodiscard]] std::optional<DWORD> WaitForExitCode(
      std::chrono::milliseconds limit) const;

 private:
  HANDLE process_;
};

class CProcessGroup {
 public:
  CProcessGroup();
  // Ends every member that still runs.
  ~CProcessGroup();
  CProcessGroup(const CProcessGroup&) = delete;
  CProcessGroup& operator=(const CProcessGroup&) = delete;

  // Starts |executable| with the command line "<quoted path> <arguments>"
  // (only the quoted path when |arguments| is empty). It joins the group
  // before it runs, so its own children belong to the group too.
  CChildProcess Start(const std::filesystem::path& executable,
                      std::wstring_view arguments);

  // Members ever started, the ones that ended included.
  [[nodiscard]] DWORD StartedProcessCount() const;

  // False when a member still runs after |limit|.
  [[nodiscard]] bool WaitUntilAllEnded(std::chrono::milliseconds limit) const;

 private:
  [[nodiscard]] JOBOBJECT_BASIC_ACCOUNTING_INFORMATION Accounting() const;

  HANDLE job_;
};

}  // namespace vantlecmd::tests

#endif  // VANTLECMD_TESTS_PROCESS_GROUP_H_
