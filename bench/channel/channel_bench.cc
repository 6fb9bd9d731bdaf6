// Throughput and latency of requests through AsynSend against the test gateway on
// loopback, with 1 and 64 requests in flight, beside a raw TCP echo of the same message
// size in the same run. Each run reports requests per second and the p50 and p99
// latency in microseconds.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>
#include <boost/asio/read.hpp>
#include <boost/asio/write.hpp>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "support/channel_harness.h"

namespace {

namespace asio = boost::asio;
using Clock = std::chrono::steady_clock;

constexpr size_t kMessageSize = 256;
constexpr int kRequestsPerIteration = 2000;

std::string RandomMessage() {
  std::mt19937 random(7);
  std::string message(kMessageSize, '\0');
  for (char& c : message) c = static_cast<char>(random());
  return message;
}

void Report(benchmark::State& state, std::vector<double>& latenciesUs, int64_t requests) {
  std::sort(latenciesUs.begin(), latenciesUs.end());
  const auto at = [&](double q) {
    return latenciesUs.empty() ? 0.0 : latenciesUs[static_cast<size_t>(q * (latenciesUs.size() - 1))];
  };
  state.counters["p50_us"] = at(0.50);
  state.counters["p99_us"] = at(0.99);
  state.SetItemsProcessed(requests);
  state.SetBytesProcessed(requests * static_cast<int64_t>(kMessageSize));
}

// One gateway and one connected channel for the whole run.
class ChannelUnderTest {
 public:
  static ChannelUnderTest& Get() {
    static ChannelUnderTest instance;
    return instance;
  }
  nexalib::CNexaChannel& channel() { return *channel_; }
  bool ready() const { return ready_; }

 private:
  ChannelUnderTest() {
    setenv("VELKOR_GATEWAY", CHANNEL_BENCH_GATEWAY, 0);
    std::string error;
    gateway_ = channel_test::GatewayProcess::Start({}, error);
    if (!gateway_) return;
    folder_ = channel_test::MakeTempFolder("channel-bench");
    channel_ = std::make_unique<nexalib::CNexaChannel>(channel_test::TestSettings());
    channel_->AddListener(&listener_, channel_test::kSession);
    channel_->Start(nexalib::NetProxy{}, gateway_->AllotUrl(), folder_.wstring(), L"");
    ready_ = listener_.WaitFor(channel_test::EventKind::kConnect, nexalib::CS_CONNECTED);
  }

  std::unique_ptr<channel_test::GatewayProcess> gateway_;
  std::filesystem::path folder_;
  channel_test::RecordingListener listener_;
  std::unique_ptr<nexalib::CNexaChannel> channel_;
  bool ready_ = false;
};

void BM_ChannelRequest(benchmark::State& state) {
  ChannelUnderTest& under = ChannelUnderTest::Get();
  if (!under.ready()) {
    state.SkipWithError("no connected channel");
    return;
  }
  const int window = static_cast<int>(state.range(0));
  const std::string message = RandomMessage();
  int64_t requests = 0;

  // Shared with the callbacks, which notify after unlocking (a waiter woken under the
  // lock would only block on it again) and so may still touch it after the last wait.
  struct Progress {
    std::mutex mutex;
    std::condition_variable changed;
    int inFlight = 0;
    int done = 0;
    std::vector<double> latenciesUs;
  };
  const auto progress = std::make_shared<Progress>();
  for (auto _ : state) {
    {
      std::lock_guard lock(progress->mutex);
      progress->done = 0;
    }
    for (int i = 0; i < kRequestsPerIteration; ++i) {
      {
        std::unique_lock lock(progress->mutex);
        progress->changed.wait(lock, [&] { return progress->inFlight < window; });
        ++progress->inFlight;
      }
      const Clock::time_point sent = Clock::now();
      under.channel().AsynSend(
          channel_test::kSession, "Echo", "echo", message,
          [progress, sent](nexalib::SEND_STATE, const std::string&, const std::string&,
                           const std::string&, const nexalib::ReqInfo&) {
            const double us = std::chrono::duration<double, std::micro>(Clock::now() - sent).count();
            {
              std::lock_guard lock(progress->mutex);
              progress->latenciesUs.push_back(us);
              --progress->inFlight;
              ++progress->done;
            }
            progress->changed.notify_all();
          },
          10);
    }
    std::unique_lock lock(progress->mutex);
    progress->changed.wait(lock, [&] { return progress->done == kRequestsPerIteration; });
    requests += kRequestsPerIteration;
  }
  std::lock_guard lock(progress->mutex);
  Report(state, progress->latenciesUs, requests);
}

// A loopback echo server on its own thread.
class RawEchoServer {
 public:
  RawEchoServer()
      : acceptor_(io_, asio::ip::tcp::endpoint(asio::ip::make_address_v4("127.0.0.1"), 0)),
        thread_([this] { Serve(); }) {}
  ~RawEchoServer() {
    io_.stop();
    thread_.join();
  }
  uint16_t port() const { return acceptor_.local_endpoint().port(); }

 private:
  void Serve() {
    asio::ip::tcp::socket socket = acceptor_.accept();
    socket.set_option(asio::ip::tcp::no_delay(true));
    std::vector<char> buffer(64 * 1024);
    boost::system::error_code error;
    while (true) {
      const size_t size = socket.read_some(asio::buffer(buffer), error);
      if (error) return;
      asio::write(socket, asio::buffer(buffer.data(), size), error);
      if (error) return;
    }
  }

  asio::io_context io_;
  asio::ip::tcp::acceptor acceptor_;
  std::thread thread_;
};

void BM_RawEcho(benchmark::State& state) {
  const int window = static_cast<int>(state.range(0));
  RawEchoServer server;
  asio::io_context io;
  asio::ip::tcp::socket socket(io);
  socket.connect(asio::ip::tcp::endpoint(asio::ip::make_address_v4("127.0.0.1"), server.port()));
  socket.set_option(asio::ip::tcp::no_delay(true));
  const std::string message = RandomMessage();
  std::string reply(kMessageSize, '\0');
  std::vector<double> latenciesUs;
  int64_t requests = 0;

  for (auto _ : state) {
    std::deque<Clock::time_point> sent;
    int started = 0;
    for (; started < window; ++started) {
      sent.push_back(Clock::now());
      asio::write(socket, asio::buffer(message));
    }
    for (int received = 0; received < kRequestsPerIteration; ++received) {
      asio::read(socket, asio::buffer(reply));
      latenciesUs.push_back(
          std::chrono::duration<double, std::micro>(Clock::now() - sent.front()).count());
      sent.pop_front();
      if (started < kRequestsPerIteration) {
        sent.push_back(Clock::now());
        asio::write(socket, asio::buffer(message));
        ++started;
      }
    }
    requests += kRequestsPerIteration;
  }
  socket.close();
  Report(state, latenciesUs, requests);
}

BENCHMARK(BM_RawEcho)->Arg(1)->Arg(64)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ChannelRequest)->Arg(1)->Arg(64)->UseRealTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
