#include "zeph_factory.h"

#include "zeph_enum.h"

namespace zeph {

CZephCOMFactory::CZephCOMFactory(std::string name, std::string description)
    : name_(std::move(name)), description_(std::move(description)) {}

IZephCOMEnum* CZephCOMFactory::CreateEnum() {
  IZephCOMEnum* enumerator = new CZephCOMEnum(classes_);
  enumerator->AddRef();
  return enumerator;
}

int32_t CZephCOMFactory::CreateInstance(const std::string& clsid, const std::string& iid, void** out) {
  auto it = classes_.find(clsid);
  if (it == classes_.end()) return ZEPH_E_CLASS_NOT_FOUND;
  return it->second->CreateInstance(iid, out);
}

void CZephCOMFactory::Register(const std::string& clsid, CZephCOMObjectRuntimeBase* runtime) {
  classes_[clsid] = runtime;
}

}  // namespace zeph

// Created by the first call, during library load, and never freed.
zeph::IZephCOMFactory* GetZephCOMFactory() {
  static zeph::IZephCOMFactory* factory = new zeph::CZephCOMFactory("velkor", "velkor");
  return factory;
}
