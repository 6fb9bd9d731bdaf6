// Stand-in for the programs the uninstaller meets, by its first argument:
//   record <file>   writes its own command line (UTF-16) to <file> and exits with 7
//   sleep           runs until it is terminated
//   guarded         as sleep, but lets others open it only to query and terminate it
#include <windows.h>

#include <aclapi.h>

#include <cstdio>
#include <cwchar>

namespace {

int Record(const wchar_t* file) {
  const wchar_t* commandLine = GetCommandLineW();
  FILE* out = _wfopen(file, L"wb");
  if (out == nullptr) return 1;
  std::fwrite(commandLine, sizeof(wchar_t), std::wcslen(commandLine), out);
  std::fclose(out);
  return 7;
}

// Everyone may query and terminate this process, and nothing more.
void GuardProcess() {
  EXPLICIT_ACCESSW access = {};
  access.grfAccessPermissions = PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE;
  access.grfAccessMode = SET_ACCESS;
  access.grfInheritance = NO_INHERITANCE;
  access.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
  access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
  access.Trustee.ptstrName = const_cast<wchar_t*>(L"EVERYONE");
  PACL acl = nullptr;
  if (SetEntriesInAclW(1, &access, nullptr, &acl) == ERROR_SUCCESS) {
    SetSecurityInfo(GetCurrentProcess(), SE_KERNEL_OBJECT,
                    DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION, nullptr, nullptr,
                    acl, nullptr);
    LocalFree(acl);
  }
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 3 && std::wcscmp(argv[1], L"record") == 0) return Record(argv[2]);
  const bool guarded = argc >= 2 && std::wcscmp(argv[1], L"guarded") == 0;
  if (guarded) GuardProcess();
  if (guarded || (argc >= 2 && std::wcscmp(argv[1], L"sleep") == 0)) Sleep(INFINITE);
  return 2;
}
