// Reference counting: the counted-interface root, the thread-safe counted base
// for internal objects, and the smart pointer that holds one reference.
#ifndef BASE_REF_COUNTED_H_
#define BASE_REF_COUNTED_H_

#include <atomic>
#include <cstdint>
#include <utility>

namespace base {

// Root of every counted interface that crosses the library boundary. The slot
// order (AddRef, Release) is part of the binary interface, so there is no
// virtual destructor here; implementations delete themselves in Release.
class IRefCounted {
 public:
  // Returns the new count.
  virtual int32_t AddRef() = 0;
  // Returns 1 while references remain and 0 when this call destroyed the object.
  virtual int32_t Release() = 0;

 protected:
  ~IRefCounted() = default;
};

// Atomic count with no ownership decision: Release reports whether references
// remain and leaves deletion to the owner.
class ThreadSafeRefPolicy {
 public:
  int32_t AddRefImpl() { return count_.fetch_add(1, std::memory_order_relaxed) + 1; }
  // True while the count is above zero after the decrement.
  bool ReleaseImpl() { return count_.fetch_sub(1, std::memory_order_acq_rel) != 1; }
  int32_t count() const { return count_.load(std::memory_order_acquire); }

 private:
  std::atomic<int32_t> count_{0};
};

// Implements a counted interface's AddRef/Release with an atomic count and
// deletes the object when the last reference goes.
template <typename Interface, typename Policy = ThreadSafeRefPolicy>
class RefPtrCounted : public Interface {
 public:
  int32_t AddRef() override { return policy_.AddRefImpl(); }
  int32_t Release() override {
    if (policy_.ReleaseImpl()) return 1;
    delete this;
    return 0;
  }
  virtual ~RefPtrCounted() = default;

 protected:
  RefPtrCounted() = default;
  RefPtrCounted(const RefPtrCounted&) = delete;
  RefPtrCounted& operator=(const RefPtrCounted&) = delete;

 private:
  Policy policy_;
};

// Non-virtual counted base for objects that live inside the libraries and are
// shared between threads through scoped_refptr and base::Bind.
class RefCountedThreadSafeBase {
 public:
  bool HasOneRef() const { return count_.load(std::memory_order_acquire) == 1; }

 protected:
  RefCountedThreadSafeBase() = default;
  ~RefCountedThreadSafeBase() = default;
  RefCountedThreadSafeBase(const RefCountedThreadSafeBase&) = delete;
  RefCountedThreadSafeBase& operator=(const RefCountedThreadSafeBase&) = delete;

  void AddRefImpl() const { count_.fetch_add(1, std::memory_order_relaxed); }
  // True when this call released the last reference.
  bool ReleaseImpl() const { return count_.fetch_sub(1, std::memory_order_acq_rel) == 1; }

 private:
  mutable std::atomic<int32_t> count_{0};
};

template <typename T>
class RefCountedThreadSafe : public RefCountedThreadSafeBase {
 public:
  void AddRef() const { AddRefImpl(); }
  void Release() const {
    if (ReleaseImpl()) delete static_cast<const T*>(this);
  }

 protected:
  RefCountedThreadSafe() = default;
  ~RefCountedThreadSafe() = default;
};

}  // namespace base

// Holds one reference to any object with AddRef/Release.
template <typename T>
class scoped_refptr {
 public:
  scoped_refptr() = default;
  scoped_refptr(std::nullptr_t) {}
  scoped_refptr(T* p) : ptr_(p) {
    if (ptr_) ptr_->AddRef();
  }
  scoped_refptr(const scoped_refptr& other) : scoped_refptr(other.ptr_) {}
  template <typename U>
  scoped_refptr(const scoped_refptr<U>& other) : scoped_refptr(other.get()) {}
  scoped_refptr(scoped_refptr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
  ~scoped_refptr() {
    if (ptr_) ptr_->Release();
  }

  scoped_refptr& operator=(scoped_refptr other) noexcept {
    std::swap(ptr_, other.ptr_);
    return *this;
  }

  T* get() const { return ptr_; }
  T* operator->() const { return ptr_; }
  T& operator*() const { return *ptr_; }
  explicit operator bool() const { return ptr_ != nullptr; }
  bool operator==(const scoped_refptr& other) const { return ptr_ == other.ptr_; }
  bool operator==(const T* p) const { return ptr_ == p; }

  // Gives up the reference without releasing it.
  T* release() { return std::exchange(ptr_, nullptr); }

 private:
  T* ptr_ = nullptr;
};

template <typename T>
scoped_refptr<T> make_scoped_refptr(T* p) {
  return scoped_refptr<T>(p);
}

#endif  // BASE_REF_COUNTED_H_
