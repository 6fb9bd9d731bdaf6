#pragma once

#include <boost/asio/io_context.hpp>

namespace net::detail {

// The one thread that runs every connection of the process. Started on first use and
// kept until the process ends, so that no connection outlives the loop it runs on.
boost::asio::io_context& NetworkContext();

}  // namespace net::detail
