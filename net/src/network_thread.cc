#include "network_thread.h"

#include <boost/asio/executor_work_guard.hpp>
#include <thread>

namespace net::detail {
namespace {

class CNetworkThread {
 public:
  CNetworkThread() : work_(context_.get_executor()), thread_([this] { context_.run(); }) {}

  boost::asio::io_context& Context() { return context_; }

 private:
  boost::asio::io_context context_;
  boost::asio::executor_work_guard<boost::asio::io_context::executor_type> work_;
  std::thread thread_;
};

}  // namespace

boost::asio::io_context& NetworkContext() {
  // Never destroyed: joining a thread from static destruction would deadlock in a DLL
  // being unloaded, and the process end stops the thread anyway.
  static CNetworkThread* const instance = new CNetworkThread;
  return instance->Context();
}

}  // namespace net::detail
