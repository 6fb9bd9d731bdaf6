#include "test_connection.h"

namespace net::testing {

CTestConnection::CTestConnection(std::chrono::milliseconds connectLimit) {
  INetConnect* raw = nullptr;
  detail::CreateNetConnect(&raw, &callback_, connectLimit);
  connection_.reset(raw);
}

ResCode CTestConnection::ConnectAndWait(const char* host, int port,
                                        std::chrono::milliseconds limit) {
  if (connection_->Connect(host, port) != RES_PENDING ||
      !callback_.WaitForEvent(Event::kConnect, limit)) {
    return RES_ERROR;
  }
  return callback_.CodeOf(Event::kConnect);
}

}  // namespace net::testing
