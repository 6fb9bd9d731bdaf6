// Marks the library's exported entry points. Hosts see plain C declarations
// (they look the entry points up by name); the library itself exports them.
#ifndef VELKOR_INCLUDE_ZEPH_EXPORT_H_
#define VELKOR_INCLUDE_ZEPH_EXPORT_H_

#if !defined(VELKOR_IMPLEMENTATION)
#define VELKOR_EXPORT extern "C"
#elif defined(_WIN32)
#define VELKOR_EXPORT extern "C" __declspec(dllexport)
#else
#define VELKOR_EXPORT extern "C" __attribute__((visibility("default")))
#endif

#endif  // VELKOR_INCLUDE_ZEPH_EXPORT_H_
