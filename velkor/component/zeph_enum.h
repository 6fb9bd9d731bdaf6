// Walks a snapshot of the factory's classes taken when it was created.
#ifndef VELKOR_COMPONENT_ZEPH_ENUM_H_
#define VELKOR_COMPONENT_ZEPH_ENUM_H_

#include "zeph_factory.h"

namespace zeph {

class CZephCOMEnum final : public base::RefPtrCounted<IZephCOMEnum, base::ThreadSafeRefPolicy> {
 public:
  explicit CZephCOMEnum(CZephCOMFactory::ClassMap snapshot)
      : snapshot_(std::move(snapshot)), cursor_(snapshot_.end()) {}

  bool Next() override;
  CZephCOMObjectRuntimeBase* Current() override;

 private:
  bool started_ = false;
  const CZephCOMFactory::ClassMap snapshot_;
  CZephCOMFactory::ClassMap::const_iterator cursor_;
};

}  // namespace zeph

#endif  // VELKOR_COMPONENT_ZEPH_ENUM_H_
