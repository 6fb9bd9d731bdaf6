#include "class_table.h"

#include "sdk_service.h"
#include "sso_service.h"
#include "time_service.h"
#include "unified_auth_service.h"
#include "zeph_object.h"

namespace velkor {
namespace {

template <typename T>
void Register(zeph::IZephCOMFactory* factory) {
  zeph::CZephCOMObjectRuntimeBase* runtime = zeph::CZephCOMObjectRuntime<T>::Instance();
  factory->Register(runtime->GetClassId(), runtime);
}

// The registry asks the library's own factory for the base interface.
int32_t CreateFromFactory(const std::string& clsid, zeph::IZephCOMRefCounted** out) {
  void* object = nullptr;
  int32_t status = GetZephCOMFactory()->CreateInstance(clsid, zeph::kBaseInterfaceId, &object);
  if (status == zeph::ZEPH_S_OK) *out = static_cast<zeph::IZephCOMRefCounted*>(object);
  return status;
}

}  // namespace

void RegisterClasses(zeph::IZephCOMFactory* factory) {
  if (!factory) return;
  Register<CSDKService>(factory);
  Register<CSSOService>(factory);
  Register<CTimeService>(factory);
  Register<CUnifiedAuthService>(factory);
  zeph::RegisterClassProvider(&CreateFromFactory);
}

}  // namespace velkor
