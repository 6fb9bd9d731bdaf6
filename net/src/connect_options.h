#pragma once

#include <chrono>

#include "net/net_connect.h"

namespace net::detail {

inline constexpr std::chrono::milliseconds kConnectTimeLimit{10000};

// CreateNetConnect with another connect time limit (tests shorten it).
bool CreateNetConnect(INetConnect** out, INetConnectCallback* callback,
                      std::chrono::milliseconds connectLimit);

}  // namespace net::detail
