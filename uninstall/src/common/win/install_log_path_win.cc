#include <windows.h>

#include <shlobj.h>

#include "common/install_log.h"

std::string DefaultInstallLogPath() {
  char appData[MAX_PATH] = {};
  SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_DEFAULT, appData);
  const std::string folder = std::string(appData) + "\\vantle";
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder + "\\installlog.log";
}
