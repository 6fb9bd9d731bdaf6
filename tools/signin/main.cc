// The sample host: loads the velkor library at run time, as a real host does,
// and signs a user in. Exit code 0 only when the login succeeded.
//
//   signin --uid=alice --password=alice-secret --env=0 --biz-token=biz-alice
#include <iostream>
#include <string>
#include <vector>

#include "base/at_exit.h"
#include "base/native_library.h"
#include "base/path_service.h"
#include "base/ref_counted.h"
#include "base/strings.h"
#include "base/ui_message_loop.h"
#include "signin_delegate.h"
#include "signin_options.h"
#include "signin_session.h"
#include "uauth/sdk_service.h"
#include "uauth/unified_auth_service.h"
#include "zeph/zeph_com.h"

namespace {

using GetFactory = zeph::IZephCOMFactory* (*)();

base::FilePath LibraryPath(const signin::Options& options) {
  if (!options.library.empty()) return base::FilePath(options.library);
  base::FilePath dir;
  base::PathService::Get(base::DIR_EXE, &dir);
  return dir.Append(base::GetNativeLibraryName(L"velkor"));
}

template <typename Interface>
Interface* Create(zeph::IZephCOMFactory* factory, const char* clsid, const char* iid) {
  void* out = nullptr;
  return factory->CreateInstance(clsid, iid, &out) == zeph::ZEPH_S_OK ? static_cast<Interface*>(out)
                                                                       : nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const std::optional<signin::Options> options =
      signin::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::cerr << "signin: " << error << "\n" << signin::kUsage;
    return 2;
  }
  base::AtExitManager atExit;

  const base::FilePath libraryPath = LibraryPath(*options);
  // Never unloaded: the library's threads run until the process ends.
  base::NativeLibrary library = base::LoadNativeLibrary(libraryPath, &error);
  auto getFactory = library ? reinterpret_cast<GetFactory>(
                                  base::GetFunctionPointerFromNativeLibrary(library, "GetZephCOMFactory"))
                            : nullptr;
  zeph::IZephCOMFactory* factory = getFactory ? getFactory() : nullptr;
  if (!factory) {
    std::cerr << "signin: cannot load " << libraryPath.AsUTF8Unsafe() << ": " << error << "\n";
    return 2;
  }

  auto* sdk = Create<uauth::ISDKService>(factory, uauth::kSDKServiceClassId, uauth::kSDKServiceInterfaceId);
  auto* auth = Create<uauth::IUnifiedAuthService>(factory, uauth::kUnifiedAuthServiceClassId,
                                                  uauth::kUnifiedAuthServiceInterfaceId);
  if (!sdk || !auth) {
    std::cerr << "signin: the library offers no authentication service\n";
    return 2;
  }
  scoped_refptr<signin::SigninDelegate> delegate(new signin::SigninDelegate(*options));
  sdk->Init(delegate.get());  // this thread is the UI thread from now on

  signin::SigninSession session(*options, *auth, std::cin, std::cout, [] { base::QuitUIMessageLoop(); });
  session.Start();
  base::RunUIMessageLoop();

  sdk->Uninit(base::Closure([] { base::QuitUIMessageLoop(); }));
  base::RunUIMessageLoop();
  auth->Release();
  sdk->Release();
  return session.loggedIn() ? 0 : 1;
}
