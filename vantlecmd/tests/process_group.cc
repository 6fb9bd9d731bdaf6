#include "vantlecmd/tests/process_group.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>

namespace vantlecmd::tests {
namespace {

constexpr std::chrono::milliseconds kPollInterval{10};
constexpr DWORD kTerminationWaitMs = 10000;

}  // namespace

CChildProcess::~CChildProcess() {
  if (process_) {
    CloseHandle(process_);
  }
}

CChildProcess::CChildProcess(CChildProcess&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)) {}

std::optional<DWORD> CChildProcess::WaitForExitCode(
    std::chrono::milliseconds limit) const {
  DWORD exit_code = 0;
  if (!process_ ||
      WaitForSingleObject(process_, static_cast<DWORD>(limit.count())) !=
          WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process_, &exit_code)) {
    return std::nullopt;
  }
  return exit_code;
}

CProcessGroup::CProcessGroup() : job_(CreateJobObjectW(nullptr, nullptr)) {
  // Closing the job, even by a crash of the test program, ends its members.
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  EXPECT_TRUE(job_ && SetInformationJobObject(
                          job_, JobObjectExtendedLimitInformation, &limits,
                          sizeof(limits)));
}

CProcessGroup::~CProcessGroup() {
  if (!job_) {
    return;
  }
  TerminateJobObject(job_, 1);
  // Members that are gone release their files, so the test's folder can go.
  EXPECT_TRUE(WaitUntilAllEnded(std::chrono::milliseconds(kTerminationWaitMs)));
  CloseHandle(job_);
}

CChildProcess CProcessGroup::Start(const std::filesystem::path& executable,
                                   std::wstring_view arguments) {
  std::wstring command_line = L"\"" + executable.wstring() + L"\"";
  if (!arguments.empty()) {
    command_line += L" ";
    command_line += arguments;
  }
  STARTUPINFOW startup_info{};
  startup_info.cb = sizeof(startup_info);
  PROCESS_INFORMATION process_info{};
  if (!CreateProcessW(executable.c_str(), command_line.data(), nullptr, nullptr,
                      FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup_info,
                      &process_info)) {
    ADD_FAILURE() << "cannot start " << executable.string() << ", error "
                  << GetLastError();
    return CChildProcess(nullptr);
  }
  if (!AssignProcessToJobObject(job_, process_info.hProcess)) {
    ADD_FAILURE() << "cannot group " << executable.string() << ", error "
                  << GetLastError();
    TerminateProcess(process_info.hProcess, 1);
  }
  ResumeThread(process_info.hThread);
  CloseHandle(process_info.hThread);
  return CChildProcess(process_info.hProcess);
}

DWORD CProcessGroup::StartedProcessCount() const {
  return Accounting().TotalProcesses;
}

bool CProcessGroup::WaitUntilAllEnded(std::chrono::milliseconds limit) const {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (Accounting().ActiveProcesses != 0) {
    if (std::chrono::steady_clock::now() >= deadline) {
      return false;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
  return true;
}

JOBOBJECT_BASIC_ACCOUNTING_INFORMATION CProcessGroup::Accounting() const {
  JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
  EXPECT_TRUE(QueryInformationJobObject(job_, JobObjectBasicAccountingInformation,
                                        &accounting, sizeof(accounting),
                                        nullptr));
  return accounting;
}

}  // namespace vantlecmd::tests
