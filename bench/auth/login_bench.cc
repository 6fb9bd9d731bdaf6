// Logins on loopback: DoAuth to ModelAuthOkParam with the channel already connected
// and with a new connection each time (median and p99 over 200 logins, in
// microseconds), beside a raw loopback request/response round trip of the same run;
// and the process's resident memory and thread count after 1000 logins.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/read.hpp>
#include <boost/asio/write.hpp>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "base/at_exit.h"
#include "base/ui_message_loop.h"
#include "gateway_channel.h"
#include "test_delegate.h"
#include "uauth/unified_auth_service.h"
#include "zeph/zeph_com.h"

namespace {

namespace asio = boost::asio;
using Clock = std::chrono::steady_clock;

constexpr int kLogins = 200;

void ReportLatencies(benchmark::State& state, std::vector<double> us) {
  std::sort(us.begin(), us.end());
  state.counters["median_us"] = us[us.size() / 2];
  state.counters["p99_us"] = us[static_cast<size_t>(0.99 * (us.size() - 1))];
}

// One gateway, the SDK service on this thread and one initialised service.
class Rig {
 public:
  static Rig& Get() {
    static Rig rig;
    return rig;
  }

  // One login; its time in microseconds, or a negative value when it failed.
  double Login() {
    done_ = false;
    const auto start = Clock::now();
    auth_->DoAuth(L"alice", L"bench-secret", uauth::LoginType{0}, L"");
    // The loop sleeps until a record arrives: spinning here would take one of the
    // cores that the login's own threads need.
    while (!done_) base::RunUIMessageLoop();
    const double us = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    return ok_ ? us : -1;
  }
  // The next login starts from the idle channel and connects anew.
  void DropChannel() { auth_test::SharedGatewayChannel().StopNow(); }

 private:
  Rig() {
    setenv("VELKOR_GATEWAY", AUTH_BENCH_GATEWAY, 0);
    auth_test::GatewayChannel& channel = auth_test::SharedGatewayChannel();
    folder_ = channel_test::MakeTempFolder("auth-bench");
    std::ofstream(folder_ / "accounts.json")
        << R"({"accounts":[{"login":"alice","password":"bench-secret","uid":"cnvantlealice"}]})";
    std::string error;
    gateway_ = channel_test::GatewayProcess::Start(
        {"accounts=" + channel_test::NativePath(folder_ / "accounts.json")}, error);
    if (!gateway_) std::abort();
    channel.PointAt(*gateway_);
    sdk_ = Create<uauth::ISDKService>(uauth::kSDKServiceClassId, uauth::kSDKServiceInterfaceId);
    delegate_ = new auth_test::TestDelegate(folder_);
    sdk_->Init(delegate_.get());
    auth_ = Create<uauth::IUnifiedAuthService>(uauth::kUnifiedAuthServiceClassId,
                                               uauth::kUnifiedAuthServiceInterfaceId);
    auth_->authOk.Add(base::Callback<void(uauth::ModelAuthOkParam)>([this](uauth::ModelAuthOkParam) {
      Finish(true);
    }));
    auth_->authFail.Add(base::Callback<void(uauth::ModelAuthFailParam)>([this](uauth::ModelAuthFailParam) {
      Finish(false);
    }));
    auth_->Initialize(false, false);
  }

  // Runs on this thread, inside RunUIMessageLoop.
  void Finish(bool ok) {
    ok_ = ok;
    done_ = true;
    base::QuitUIMessageLoop();
  }

  template <typename Interface>
  static Interface* Create(const char* clsid, const char* iid) {
    void* out = nullptr;
    GetZephCOMFactory()->CreateInstance(clsid, iid, &out);
    return static_cast<Interface*>(out);
  }

  base::AtExitManager at_exit_;
  std::filesystem::path folder_;
  std::unique_ptr<channel_test::GatewayProcess> gateway_;
  uauth::ISDKService* sdk_ = nullptr;
  scoped_refptr<auth_test::TestDelegate> delegate_;
  uauth::IUnifiedAuthService* auth_ = nullptr;
  bool done_ = false;
  bool ok_ = false;
};

void BM_LoginConnected(benchmark::State& state) {
  Rig& rig = Rig::Get();
  rig.Login();  // connects once
  for (auto _ : state) {
    std::vector<double> us;
    for (int i = 0; i < kLogins; ++i) us.push_back(rig.Login());
    if (*std::min_element(us.begin(), us.end()) < 0) state.SkipWithError("a login failed");
    ReportLatencies(state, us);
  }
}
BENCHMARK(BM_LoginConnected)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_LoginNewConnection(benchmark::State& state) {
  Rig& rig = Rig::Get();
  for (auto _ : state) {
    std::vector<double> us;
    for (int i = 0; i < kLogins; ++i) {
      rig.DropChannel();
      us.push_back(rig.Login());
    }
    if (*std::min_element(us.begin(), us.end()) < 0) state.SkipWithError("a login failed");
    ReportLatencies(state, us);
  }
}
BENCHMARK(BM_LoginNewConnection)->Iterations(1)->Unit(benchmark::kMillisecond);

// A 256-byte request and its echo over a loopback TCP connection.
void BM_RawLoopbackRoundTrip(benchmark::State& state) {
  asio::io_context io;
  asio::ip::tcp::acceptor acceptor(io, {asio::ip::make_address_v4("127.0.0.1"), 0});
  std::thread echo([&] {
    asio::ip::tcp::socket peer = acceptor.accept();
    peer.set_option(asio::ip::tcp::no_delay(true));
    std::string buffer(256, '\0');
    boost::system::error_code error;
    while (asio::read(peer, asio::buffer(buffer), error) && !error) asio::write(peer, asio::buffer(buffer), error);
  });
  asio::ip::tcp::socket client(io);
  client.connect(acceptor.local_endpoint());
  client.set_option(asio::ip::tcp::no_delay(true));
  std::string message(256, 'x');
  for (auto _ : state) {
    std::vector<double> us;
    for (int i = 0; i < kLogins; ++i) {
      const auto start = Clock::now();
      asio::write(client, asio::buffer(message));
      asio::read(client, asio::buffer(message));
      us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    ReportLatencies(state, us);
  }
  client.close();
  echo.join();
}
BENCHMARK(BM_RawLoopbackRoundTrip)->Iterations(1)->Unit(benchmark::kMillisecond);

// "VmRSS" in kB or "Threads" from /proc/self/status.
double ProcStatus(const std::string& key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(key + ":", 0) == 0) return std::atof(line.c_str() + key.size() + 1);
  }
  return 0;
}

void BM_ThousandLogins(benchmark::State& state) {
  Rig& rig = Rig::Get();
  for (auto _ : state) {
    for (int i = 0; i < 20; ++i) rig.Login();
    const double rss_early = ProcStatus("VmRSS");
    const double threads_early = ProcStatus("Threads");
    for (int i = 0; i < 1000; ++i) rig.Login();
    state.counters["rss_kb_after_20"] = rss_early;
    state.counters["rss_kb_after_1020"] = ProcStatus("VmRSS");
    state.counters["threads_after_20"] = threads_early;
    state.counters["threads_after_1020"] = ProcStatus("Threads");
  }
}
BENCHMARK(BM_ThousandLogins)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
