#pragma once

// A connection together with the callback it reports to, torn down in the right order.

#include <chrono>
#include <memory>

#include "connect_options.h"
#include "net/net_connect.h"
#include "recording_callback.h"

namespace net::testing {

class CTestConnection {
 public:
  explicit CTestConnection(std::chrono::milliseconds connectLimit = detail::kConnectTimeLimit);

  INetConnect* operator->() const { return connection_.get(); }
  CRecordingCallback& Callback() { return callback_; }

  // Starts a connect and waits for OnConnect; its code, or RES_ERROR when none came.
  ResCode ConnectAndWait(const char* host, int port,
                         std::chrono::milliseconds limit = std::chrono::seconds(10));

 private:
  CRecordingCallback callback_;  // outlives the connection
  std::unique_ptr<INetConnect> connection_;
};

}  // namespace net::testing
