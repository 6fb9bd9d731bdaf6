#include "registry_instance.h"

#include "base/component_registry.h"
#include "zeph/zeph_com.h"

int32_t GetRegistryInstance(const char* clsid, const char* iid, void** out) {
  *out = nullptr;
  zeph::IZephCOM* registry = nullptr;
  base::GetZephCOM(&registry);
  if (!registry) return zeph::ZEPH_E_FAIL;
  int32_t status = registry->CreateInstance(clsid, "", iid, out, "", "");
  // A failing registry must not leave a pointer that callers would release.
  if (status < 0) *out = nullptr;
  registry->Release();
  return status;
}
