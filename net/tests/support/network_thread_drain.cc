#include "network_thread_drain.h"

#include <boost/asio/post.hpp>
#include <future>

#include "network_thread.h"

namespace net::testing {

void DrainNetworkThread() {
  std::promise<void> reached;
  boost::asio::post(detail::NetworkContext(), [&reached] { reached.set_value(); });
  reached.get_future().wait();
}

}  // namespace net::testing
