// The library's class factory: class ids to runtime descriptors.
#ifndef VELKOR_COMPONENT_ZEPH_FACTORY_H_
#define VELKOR_COMPONENT_ZEPH_FACTORY_H_

#include <map>
#include <string>

#include "zeph/zeph_com.h"

namespace zeph {

class CZephCOMFactory final : public IZephCOMFactory {
 public:
  // Ordered by byte-wise comparison of the class ids.
  using ClassMap = std::map<std::string, CZephCOMObjectRuntimeBase*>;

  CZephCOMFactory(std::string name, std::string description);

  std::string GetName() override { return name_; }
  std::string GetDescription() override { return description_; }
  IZephCOMEnum* CreateEnum() override;
  int32_t CreateInstance(const std::string& clsid, const std::string& iid, void** out) override;
  // Written only while the library loads (one thread), read afterwards, so no lock.
  void Register(const std::string& clsid, CZephCOMObjectRuntimeBase* runtime) override;

 private:
  const std::string name_;
  const std::string description_;
  ClassMap classes_;
};

}  // namespace zeph

#endif  // VELKOR_COMPONENT_ZEPH_FACTORY_H_
