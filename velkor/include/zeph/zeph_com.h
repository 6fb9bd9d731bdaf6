// The component framework as the host sees it: the factory exported by the
// library, the enumerator, runtime descriptors and the statuses they return.
//
//   zeph::IZephCOMFactory* factory = GetZephCOMFactory();
//   uauth::ITimeService* time = nullptr;
//   if (factory->CreateInstance(kTimeClassId, kTimeInterfaceId, reinterpret_cast<void**>(&time)) == 0) {
//     int64_t now = time->GetServerTime(false);
//     time->Release();
//   }
#ifndef VELKOR_INCLUDE_ZEPH_ZEPH_COM_H_
#define VELKOR_INCLUDE_ZEPH_ZEPH_COM_H_

#include <cstdint>
#include <string>
#include <vector>

#include "base/component_registry.h"
#include "base/ref_counted.h"
#include "zeph/export.h"

namespace zeph {

template <typename Char>
using ZephStringT = std::basic_string<Char>;

// Statuses; every failure is negative as a signed 32-bit value.
constexpr int32_t ZEPH_S_OK = 0;
constexpr int32_t ZEPH_E_CLASS_NOT_FOUND = static_cast<int32_t>(0xF0C90000u);
constexpr int32_t ZEPH_E_NO_INTERFACE = static_cast<int32_t>(0xF0C90002u);
constexpr int32_t ZEPH_E_FAIL = static_cast<int32_t>(0x80004005u);

// The interface id of IZephCOMRefCounted: every object answers it with its first interface.
inline constexpr char kBaseInterfaceId[] = "{8D0890E0-9AFB-4426-A830-48A27EB4475A}";

// Describes one creatable class; one static instance per class, stateless.
class CZephCOMObjectRuntimeBase {
 public:
  virtual int32_t CreateInstance(const std::string& iid, void** out) = 0;
  virtual std::string GetClassId() = 0;
  virtual std::string GetName() = 0;
  virtual std::string GetDescription() = 0;
  virtual std::vector<std::string> GetDeclaredList() = 0;

 protected:
  ~CZephCOMObjectRuntimeBase() = default;
};

class IZephCOMEnum : public base::IRefCounted {
 public:
  // Moves to the next descriptor; false once past the last.
  virtual bool Next() = 0;
  // The descriptor at the cursor, or null before the first Next and after the last.
  virtual CZephCOMObjectRuntimeBase* Current() = 0;

 protected:
  ~IZephCOMEnum() = default;
};

// Not reference-counted and never freed: the host neither releases nor deletes it.
class IZephCOMFactory {
 public:
  virtual std::string GetName() = 0;
  virtual std::string GetDescription() = 0;
  // A new enumerator over a snapshot of the classes, holding one reference.
  virtual IZephCOMEnum* CreateEnum() = 0;
  // Stores a counted pointer to interface `iid` of a new object of `clsid` in
  // `out` (the caller owns that reference). `out` is untouched on failure.
  virtual int32_t CreateInstance(const std::string& clsid, const std::string& iid, void** out) = 0;
  // Adds the class, or replaces the descriptor of a class already present.
  virtual void Register(const std::string& clsid, CZephCOMObjectRuntimeBase* runtime) = 0;

 protected:
  ~IZephCOMFactory() = default;
};

}  // namespace zeph

// Exported by name. The first call (while the library loads) creates the
// factory; later calls return the same pointer.
VELKOR_EXPORT zeph::IZephCOMFactory* GetZephCOMFactory();

#endif  // VELKOR_INCLUDE_ZEPH_ZEPH_COM_H_
