#include "uninstall.h"

#include <algorithm>
#include <cwctype>

#include "common/folder_entries.h"
#include "common/install_log.h"
#include "common/utilfunc.h"
#include "setup_description.h"
#include "setup_variables.h"

namespace {

void DropTrailingBackslash(std::wstring& path) {
  if (!path.empty() && path.back() == L'\\') path.pop_back();
}

}  // namespace

bool CUninstall::IgnoringCase::operator()(const std::wstring& a, const std::wstring& b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](wchar_t x, wchar_t y) {
    return std::towlower(static_cast<std::wint_t>(x)) < std::towlower(static_cast<std::wint_t>(y));
  });
}

CUninstall::CUninstall(IUninstallProgressCallBack* callback, std::wstring installDir,
                       ISetupSystem& system)
    : callback_(callback), installDir_(std::move(installDir)), system_(system) {}

void CUninstall::AddExcludedPath(std::wstring path) {
  DropTrailingBackslash(path);
  std::lock_guard<std::mutex> lock(excludedLock_);
  excluded_[path] = 1;
}

int CUninstall::DoStartUnInstall(void*) {
  std::wstring instDir = installDir_;
  DropTrailingBackslash(instDir);
  SetupVariables()[L"$INSTDIR"] = instDir;

  LogInfo(L"开始运行卸载策略");
  Report(1);
  RunSetupStrategies(installDir_, system_, strategies_);

  LogInfo(L"开始删除文件");
  Report(2);
  DeleteInstallFiles(installDir_);

  LogInfo(L"卸载完成");
  Report(3);
  return 0;
}

void CUninstall::DeleteInstallFiles(std::wstring folder) {
  if (folder.empty() || folder.back() != L'\\') folder += L'\\';
  ExcludedPaths excluded;
  {
    std::lock_guard<std::mutex> lock(excludedLock_);
    excluded = excluded_;
  }
  auto isExcluded = [&excluded](std::wstring path) {
    DropTrailingBackslash(path);
    return excluded.count(path) != 0;
  };

  ForEachFolderEntry(folder, [&](const std::wstring& name, FolderEntryKind kind) {
    const std::wstring path = folder + name;
    if (isExcluded(path)) return;
    switch (kind) {
      case FolderEntryKind::kFolder:
        DeleteInstallFiles(path);
        break;
      case FolderEntryKind::kFolderLink:
        RemoveFolder(path);  // the link only: what it points to is outside the install
        break;
      case FolderEntryKind::kFile:
        if (UtilFunc::DeleteFileW(path)) Report(2, path);
        break;
    }
  });
  // Fails while an excluded entry is inside, which is fine.
  RemoveFolder(folder);
}

void CUninstall::Report(int step, const std::wstring& text) {
  if (callback_ != nullptr) callback_->OnUninstallProgress(step, text);
}
