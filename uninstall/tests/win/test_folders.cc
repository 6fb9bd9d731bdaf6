#include "test_folders.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "module_path.h"

TestFolder::TestFolder(const std::wstring& name) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  path_ = std::wstring(temp) + name + L"-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TestFolder::~TestFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void WriteTextFile(const std::wstring& path, const std::string& content) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(std::filesystem::path(path), std::ios::binary) << content;
}

bool PathExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadBinaryFile(const std::wstring& path) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void CopyStandIn(const std::wstring& to) {
  std::filesystem::create_directories(std::filesystem::path(to).parent_path());
  ASSERT_TRUE(CopyFileW((GetModuleDir() + L"uninstall_test_stand_in.exe").c_str(), to.c_str(), FALSE))
      << "copy to " << std::filesystem::path(to).string();
}

TestProcess::TestProcess(const std::wstring& executable, const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + executable + L"\" " + arguments;
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started = {};
  if (CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                     nullptr, nullptr, &startup, &started)) {
    CloseHandle(started.hThread);
    process_ = started.hProcess;
  }
  EXPECT_NE(process_, nullptr) << "cannot start " << std::filesystem::path(executable).string();
}

TestProcess::~TestProcess() {
  if (process_ == nullptr) return;
  TerminateProcess(process_, 0);
  WaitForSingleObject(process_, 10000);
  CloseHandle(process_);
}

bool TestProcess::EndsWithin(DWORD ms) const {
  return process_ != nullptr && WaitForSingleObject(process_, ms) == WAIT_OBJECT_0;
}
