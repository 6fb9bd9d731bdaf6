// The host's delegate in tests and benchmarks: data folder of the test's own,
// environment 0, no proxy.
#ifndef VELKOR_TESTS_UNIFIEDAUTH_TEST_DELEGATE_H_
#define VELKOR_TESTS_UNIFIEDAUTH_TEST_DELEGATE_H_

#include <filesystem>
#include <string>

#include "base/ref_counted.h"
#include "uauth/sdk_service.h"

namespace auth_test {

class TestDelegate final : public base::RefPtrCounted<uauth::ISDKDelegate> {
 public:
  explicit TestDelegate(std::filesystem::path dataDir) : data_dir_(std::move(dataDir)) {}
  std::wstring GetAppName() override { return L"authtest"; }
  std::wstring GetAppVersion() override { return L"2.5"; }
  base::FilePath GetDataDir() override { return base::FilePath(data_dir_.wstring()); }
  std::wstring GetUmid() override { return L"umid-42"; }
  int32_t GetEnvironment() override { return 0; }
  void GetProxy(int32_t* type, std::wstring*, std::wstring*, std::wstring*, std::wstring*,
                std::wstring*) override {
    *type = 0;
  }

 private:
  const std::filesystem::path data_dir_;
};

}  // namespace auth_test

#endif  // VELKOR_TESTS_UNIFIEDAUTH_TEST_DELEGATE_H_
