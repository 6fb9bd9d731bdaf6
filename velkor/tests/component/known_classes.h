// The component classes of the library, in registration order.
#ifndef VELKOR_TESTS_COMPONENT_KNOWN_CLASSES_H_
#define VELKOR_TESTS_COMPONENT_KNOWN_CLASSES_H_

#include <string>
#include <vector>

struct KnownClass {
  std::string clsid;
  std::string name;
};

inline const std::vector<KnownClass>& KnownClassesInRegistrationOrder() {
  static const std::vector<KnownClass> classes = {
      {"{E60A96FA-BFE1-46E2-9BF6-3371700264F0}", "SDKService"},
      {"{F52BEF9D-CA51-4648-86B8-30A937B5A4D0}", "SSOService"},
      {"{D99F2615-694A-4202-BC20-199CB6E5A3FA}", "IMTimeService"},
      {"{1C9C6FC8-4046-466C-8A13-FA4D5613F6CE}", "UnifiedAuthService"},
  };
  return classes;
}

inline const KnownClass* FindKnownClass(const std::string& clsid) {
  for (const KnownClass& known : KnownClassesInRegistrationOrder()) {
    if (known.clsid == clsid) return &known;
  }
  return nullptr;
}

#endif  // VELKOR_TESTS_COMPONENT_KNOWN_CLASSES_H_
