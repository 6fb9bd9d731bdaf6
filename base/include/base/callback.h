// Callbacks and binding. A member function bound to a counted object keeps the
// object alive while the callback exists; base::Unretained(p) opts out and says so.
//
//   base::Closure task = base::Bind(&CService::DoWork, this, 42);   // holds a reference
//   base::Callback<void(int)> cb = base::Bind(&Handler::OnValue, base::Unretained(h));
#ifndef BASE_CALLBACK_H_
#define BASE_CALLBACK_H_

#include <functional>
#include <tuple>
#include <type_traits>
#include <utility>

#include "base/ref_counted.h"

namespace base {

template <typename Signature>
class Callback;

template <typename R, typename... Args>
class Callback<R(Args...)> {
 public:
  Callback() = default;
  template <typename F,
            typename = std::enable_if_t<!std::is_same_v<std::decay_t<F>, Callback> &&
                                        std::is_invocable_r_v<R, std::decay_t<F>&, Args...>>>
  Callback(F&& f) : fn_(std::forward<F>(f)) {}

  bool is_null() const { return !fn_; }
  // Drops the bound state (and the references it holds) now.
  void Reset() { fn_ = nullptr; }

  R Run(Args... args) const { return fn_(std::forward<Args>(args)...); }

 private:
  std::function<R(Args...)> fn_;
};

using Closure = Callback<void()>;

template <typename T>
struct UnretainedWrapper {
  T* ptr;
};

// Binds a receiver without taking a reference; the caller guarantees its lifetime.
template <typename T>
UnretainedWrapper<T> Unretained(T* ptr) {
  return {ptr};
}

namespace internal {

template <typename T>
concept Counted = requires(T* t) {
  t->AddRef();
  t->Release();
};

// How a bound argument is stored: counted receivers by reference, the rest by value.
template <typename T>
struct BoundStorage {
  using type = std::decay_t<T>;
  template <typename U>
  static type Store(U&& v) {
    return type(std::forward<U>(v));
  }
  static type& Unwrap(type& v) { return v; }
};

template <typename T>
  requires Counted<T>
struct BoundStorage<T*> {
  using type = scoped_refptr<T>;
  static type Store(T* v) { return type(v); }
  static T* Unwrap(const type& v) { return v.get(); }
};

template <typename T>
struct BoundStorage<scoped_refptr<T>> {
  using type = scoped_refptr<T>;
  static type Store(scoped_refptr<T> v) { return v; }
  static T* Unwrap(const type& v) { return v.get(); }
};

template <typename T>
struct BoundStorage<UnretainedWrapper<T>> {
  using type = T*;
  static type Store(UnretainedWrapper<T> v) { return v.ptr; }
  static T* Unwrap(type v) { return v; }
};

template <typename T>
using Decayed = std::decay_t<T>;

}  // namespace internal

// Binds leading arguments of a function, member function or functor. The result
// converts to any base::Callback whose remaining arguments fit.
template <typename F, typename... Bound>
auto Bind(F&& f, Bound&&... bound) {
  return [fn = std::forward<F>(f),
          stored = std::make_tuple(internal::BoundStorage<internal::Decayed<Bound>>::Store(
              std::forward<Bound>(bound))...)](auto&&... rest) mutable -> decltype(auto) {
    return std::apply(
        [&](auto&... args) -> decltype(auto) {
          return std::invoke(fn,
                             internal::BoundStorage<internal::Decayed<Bound>>::Unwrap(args)...,
                             std::forward<decltype(rest)>(rest)...);
        },
        stored);
  };
}

}  // namespace base

#endif  // BASE_CALLBACK_H_
