// Building blocks of a component class:
//
//   class CTimeService : public zeph::CZephCOMRootObject<zeph::CCOMThreadSafeRefPolicy>,
//                        public uauth::ITimeService {
//    public:
//     static constexpr char kClassId[] = "{D99F2615-...}";
//     static constexpr char kClassName[] = "IMTimeService";
//     static const zeph::InterfaceMapEntry* GetInterfaceMap() {
//       return zeph::SingleInterfaceMap<CTimeService, uauth::ITimeService>(uauth::kTimeServiceInterfaceId);
//     }
//     ...
//   };
//
// The object actually made is CZephCOMObject<CTimeService>, which completes the
// interface's AddRef, Release and QueryInterface on the single count of the root.
#ifndef VELKOR_COMPONENT_ZEPH_OBJECT_H_
#define VELKOR_COMPONENT_ZEPH_OBJECT_H_

#include <atomic>
#include <cstdint>
#include <new>
#include <string>
#include <vector>

#include "zeph/zeph_com.h"

namespace zeph {

// The count. Its operations are named Internal* because the interface part of
// the same object has AddRef/Release with other return types, and C++ lets one
// name override only one signature.
class CCOMThreadSafeRefPolicy {
 public:
  // Returns the new count.
  virtual int32_t InternalAddRef() { return count_.fetch_add(1, std::memory_order_relaxed) + 1; }
  // True while the count is above zero; never deletes.
  virtual bool InternalRelease() { return count_.fetch_sub(1, std::memory_order_acq_rel) != 1; }
  virtual ~CCOMThreadSafeRefPolicy() = default;

 private:
  std::atomic<int32_t> count_{0};
};

template <typename Policy>
class CZephCOMRefCounted : public Policy {};

template <typename Policy>
class CZephCOMRootObject : public CZephCOMRefCounted<Policy> {
 public:
  virtual int32_t FinalConstruct() { return 0; }
};

// {interface id, position of the interface subobject in the object}; a table
// of these ends with an entry whose id is empty.
struct InterfaceMapEntry {
  const char* iid;
  int32_t offset;
};

template <typename Class, typename Interface>
int32_t OffsetOfInterface() {
  // A suitably aligned stand-in address: only the pointer adjustment is used.
  alignas(Class) static char probe[sizeof(Class)];
  Class* object = reinterpret_cast<Class*>(probe);
  return static_cast<int32_t>(reinterpret_cast<char*>(static_cast<Interface*>(object)) - probe);
}

template <typename Class, typename Interface>
const InterfaceMapEntry* SingleInterfaceMap(const char* iid) {
  static const InterfaceMapEntry map[] = {{iid, OffsetOfInterface<Class, Interface>()}, {"", 0}};
  return map;
}

template <typename T>
class CZephCOMObject final : public T {
 public:
  int32_t AddRef() override { return this->InternalAddRef(); }
  int32_t Release() override {
    if (this->InternalRelease()) return 1;
    delete this;
    return 0;
  }
  int32_t QueryInterface(const std::string& iid, void** out) override {
    for (const InterfaceMapEntry* entry = T::GetInterfaceMap(); entry->iid[0] != '\0'; ++entry) {
      if (iid != kBaseInterfaceId && iid != entry->iid) continue;
      auto* part = reinterpret_cast<IZephCOMRefCounted*>(
          reinterpret_cast<char*>(static_cast<T*>(this)) + entry->offset);
      part->AddRef();
      *out = part;
      return ZEPH_S_OK;
    }
    return ZEPH_E_NO_INTERFACE;
  }
};

// The stateless descriptor of class T, one static instance.
template <typename T>
class CZephCOMObjectRuntime final : public CZephCOMObjectRuntimeBase {
 public:
  static CZephCOMObjectRuntime* Instance() {
    static CZephCOMObjectRuntime runtime;
    return &runtime;
  }

  int32_t CreateInstance(const std::string& iid, void** out) override {
    auto* object = new (std::nothrow) CZephCOMObject<T>();
    if (!object) return ZEPH_E_FAIL;
    int32_t status = object->QueryInterface(iid, out);
    if (status != ZEPH_S_OK) {
      delete object;  // nothing refers to it yet
      return status;
    }
    object->FinalConstruct();
    return ZEPH_S_OK;
  }
  std::string GetClassId() override { return T::kClassId; }
  std::string GetName() override { return T::kClassName; }
  std::string GetDescription() override { return T::kClassName; }
  // No class declares optional entries.
  std::vector<std::string> GetDeclaredList() override { return {}; }
};

}  // namespace zeph

#endif  // VELKOR_COMPONENT_ZEPH_OBJECT_H_
