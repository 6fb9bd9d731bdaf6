#pragma once

#include <windows.h>

#include <string>

// A fresh folder below the system's temporary folder, removed with its content
// when the test ends. Path() ends with a backslash.
class TestFolder {
 public:
  explicit TestFolder(const std::wstring& name);
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;
  ~TestFolder();

  [[nodiscard]] const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
};

void WriteTextFile(const std::wstring& path, const std::string& content = "data");
[[nodiscard]] bool PathExists(const std::wstring& path);
[[nodiscard]] std::string ReadBinaryFile(const std::wstring& path);

// The stand-in program built beside the tests, copied to `to`.
void CopyStandIn(const std::wstring& to);

// A started process, terminated and closed when it goes.
class TestProcess {
 public:
  TestProcess(const std::wstring& executable, const std::wstring& arguments);
  TestProcess(const TestProcess&) = delete;
  TestProcess& operator=(const TestProcess&) = delete;
  ~TestProcess();

  [[nodiscard]] HANDLE Handle() const { return process_; }
  // True when the process has ended within `ms`.
  [[nodiscard]] bool EndsWithin(DWORD ms) const;

 private:
  HANDLE process_ = nullptr;
};
