// Reaching another service of the library: the shared instance that the base
// library's process-wide registry hands out for a class id.
//
//   scoped_refptr<uauth::ITimeService> time;
//   if (GetRegistryInstance(uauth::kTimeServiceClassId, uauth::kTimeServiceInterfaceId, &time) >= 0)
//     now = time->GetServerTime(false);
#ifndef VELKOR_SOURCE_MODEL_SERVICE_REGISTRY_INSTANCE_H_
#define VELKOR_SOURCE_MODEL_SERVICE_REGISTRY_INSTANCE_H_

#include <cstdint>

#include "base/ref_counted.h"

// Stores a counted pointer to interface `iid` of the shared `clsid` instance in
// *out, or leaves it null. Returns the registry's status (negative on failure),
// or 0x80004005 when there is no registry.
int32_t GetRegistryInstance(const char* clsid, const char* iid, void** out);

// The same, for a counted pointer that already holds an earlier instance: it is
// released first.
template <typename Interface>
int32_t GetRegistryInstance(const char* clsid, const char* iid, scoped_refptr<Interface>* out) {
  *out = nullptr;
  void* raw = nullptr;
  int32_t status = GetRegistryInstance(clsid, iid, &raw);
  if (raw) {
    *out = static_cast<Interface*>(raw);  // takes its own reference
    static_cast<Interface*>(raw)->Release();
  }
  return status;
}

#endif  // VELKOR_SOURCE_MODEL_SERVICE_REGISTRY_INSTANCE_H_
