#include <windows.h>

#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "create_shortcut.h"

bool CreateShortcut(const std::wstring& target, const std::wstring& arguments,
                    const std::wstring& linkPath) {
  const std::size_t linkSlash = linkPath.find_last_of(L'\\');
  if (linkSlash != std::wstring::npos) {
    const std::wstring folder = linkPath.substr(0, linkSlash + 1);
    if (GetFileAttributesW(folder.c_str()) == INVALID_FILE_ATTRIBUTES) {
      SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    }
  }

  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    return false;
  }
  link->SetPath(target.c_str());
  link->SetShowCmd(SW_SHOW);
  const std::size_t targetSlash = target.find_last_of(L'\\');
  if (targetSlash != std::wstring::npos) {
    link->SetWorkingDirectory(target.substr(0, targetSlash + 1).c_str());
  }
  if (!arguments.empty()) link->SetArguments(arguments.c_str());

  IPersistFile* file = nullptr;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
    file->Save(linkPath.c_str(), TRUE);
    file->Release();
  }
  link->Release();
  return true;
}
