// A host delegate for tests: fixed answers that a test may change, and a count
// of the references the library holds.
#ifndef VELKOR_TESTS_SERVICE_FAKE_DELEGATE_H_
#define VELKOR_TESTS_SERVICE_FAKE_DELEGATE_H_

#include <atomic>
#include <string>

#include "uauth/sdk_service.h"

class FakeDelegate : public uauth::ISDKDelegate {
 public:
  // Lives on the test's stack: the count is watched, never acted on.
  int32_t AddRef() override { return ++references_; }
  int32_t Release() override {
    ++releases_;
    return --references_ > 0 ? 1 : 0;
  }

  std::wstring GetAppName() override { return app_name; }
  std::wstring GetAppVersion() override { return app_version; }
  base::FilePath GetDataDir() override { return data_dir; }
  std::wstring GetUmid() override { return L"umid-1"; }
  int32_t GetEnvironment() override { return environment.load(); }
  void GetProxy(int32_t* type, std::wstring* host, std::wstring* port, std::wstring* user,
                std::wstring* password, std::wstring* unused) override {
    *type = 1;
    *host = L"127.0.0.1";
    *port = L"8080";
    *user = L"proxy-user";
    *password = L"proxy-secret";
    *unused = L"";
  }

  int references() const { return references_.load(); }
  int releases() const { return releases_.load(); }

  std::wstring app_name = L"Host App";
  std::wstring app_version = L"3.2.1";
  base::FilePath data_dir;
  std::atomic<int32_t> environment{0};

 private:
  std::atomic<int> references_{0};
  std::atomic<int> releases_{0};
};

#endif  // VELKOR_TESTS_SERVICE_FAKE_DELEGATE_H_
