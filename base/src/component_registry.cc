#include "base/component_registry.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <vector>

#include "base/lazy_instance.h"

namespace {

// Providers outlive every registry instance: they are registered once, while
// libraries load, and must still be known after at-exit processing.
std::mutex g_providers_lock;
std::vector<zeph::ClassProvider>& Providers() {  // Guarded by g_providers_lock
  static std::vector<zeph::ClassProvider> providers;
  return providers;
}

std::vector<zeph::ClassProvider> CopyProviders() {
  std::lock_guard<std::mutex> guard(g_providers_lock);
  return Providers();
}

// Hands out one instance per class id, made by the first provider that knows
// the class, and keeps it until at-exit processing.
class ComponentRegistry final : public zeph::IZephCOM {
 public:
  ~ComponentRegistry() {
    for (auto& [clsid, instance] : instances_) instance->Release();
  }

  // The registry lives as long as the process (or until at-exit processing),
  // not as long as its callers' references.
  int32_t AddRef() override { return 1; }
  int32_t Release() override { return 1; }

  int32_t CreateInstance(const std::string& clsid, const std::string&, const std::string& iid,
                         void** out, const std::string&, const std::string&) override {
    // Re-entrant: a component may look up another one while it is being made.
    std::lock_guard<std::recursive_mutex> guard(lock_);
    auto it = instances_.find(clsid);
    if (it == instances_.end()) {
      zeph::IZephCOMRefCounted* instance = nullptr;
      int32_t status = zeph::kRegistryClassNotFound;
      for (zeph::ClassProvider provider : CopyProviders()) {
        status = provider(clsid, &instance);
        if (status != zeph::kRegistryClassNotFound) break;
      }
      if (status < 0 || !instance) return status < 0 ? status : zeph::kRegistryClassNotFound;
      it = instances_.emplace(clsid, instance).first;
    }
    return it->second->QueryInterface(iid, out);
  }

 private:
  std::recursive_mutex lock_;
  std::map<std::string, zeph::IZephCOMRefCounted*> instances_;  // Guarded by lock_
};

base::LazyInstance<ComponentRegistry> g_registry;

}  // namespace

namespace zeph {

void RegisterClassProvider(ClassProvider provider) {
  std::lock_guard<std::mutex> guard(g_providers_lock);
  std::vector<ClassProvider>& providers = Providers();
  if (std::find(providers.begin(), providers.end(), provider) == providers.end()) {
    providers.push_back(provider);
  }
}

}  // namespace zeph

namespace base {

void GetZephCOM(zeph::IZephCOM** registry) {
  *registry = g_registry.Pointer();
  (*registry)->AddRef();
}

}  // namespace base
