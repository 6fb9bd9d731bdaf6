// The process-wide component registry. Libraries that implement components
// register a class provider; code that needs a service asks the registry, which
// hands out one shared instance per class id for the life of the process.
#ifndef BASE_COMPONENT_REGISTRY_H_
#define BASE_COMPONENT_REGISTRY_H_

#include <cstdint>
#include <string>

#include "base/ref_counted.h"

namespace zeph {

// A counted component: the interfaces of every component derive from it.
class IZephCOMRefCounted : public base::IRefCounted {
 public:
  // Stores a counted pointer to the interface `iid` in `out`; a negative status
  // (and `out` untouched) when the object does not offer it.
  virtual int32_t QueryInterface(const std::string& iid, void** out) = 0;

 protected:
  ~IZephCOMRefCounted() = default;
};

class IZephCOM : public base::IRefCounted {
 public:
  // Stores in `out` a counted pointer to interface `iid` of the shared instance
  // of `clsid`, creating the instance on first use. `module`, `reserved1` and
  // `reserved2` are accepted for compatibility and not used.
  virtual int32_t CreateInstance(const std::string& clsid, const std::string& module,
                                 const std::string& iid, void** out, const std::string& reserved1,
                                 const std::string& reserved2) = 0;

 protected:
  ~IZephCOM() = default;
};

// Status for a class id that no provider knows.
constexpr int32_t kRegistryClassNotFound = static_cast<int32_t>(0xF0C90000u);

// Creates a new object of `clsid`, returning its base interface with one
// reference in *out and status 0, or a negative status.
using ClassProvider = int32_t (*)(const std::string& clsid, IZephCOMRefCounted** out);

// Providers are asked in registration order; registering one twice has no effect.
void RegisterClassProvider(ClassProvider provider);

}  // namespace zeph

namespace base {

// A counted pointer to the registry in *registry (never null once the base
// library is loaded). The caller releases it.
void GetZephCOM(zeph::IZephCOM** registry);

}  // namespace base

#endif  // BASE_COMPONENT_REGISTRY_H_
