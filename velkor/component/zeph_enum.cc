#include "zeph_enum.h"

namespace zeph {

bool CZephCOMEnum::Next() {
  if (!started_) {
    started_ = true;
    cursor_ = snapshot_.begin();
    return cursor_ != snapshot_.end();
  }
  if (cursor_ == snapshot_.end()) return false;
  ++cursor_;
  return cursor_ != snapshot_.end();
}

CZephCOMObjectRuntimeBase* CZephCOMEnum::Current() {
  return cursor_ == snapshot_.end() ? nullptr : cursor_->second;
}

}  // namespace zeph
