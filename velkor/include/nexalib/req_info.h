// Requests on the channel and how they end.
#ifndef VELKOR_INCLUDE_NEXALIB_REQ_INFO_H_
#define VELKOR_INCLUDE_NEXALIB_REQ_INFO_H_

#include <cstdint>
#include <string>

#include "base/callback.h"

namespace nexalib {

enum SEND_STATE : int32_t {
  SEND_OK = 0,       // the response arrived
  SEND_TIMEOUT = 1,  // no response within the time limit
};

struct ReqInfo;

// On SEND_OK the names are the response's and `body` is the response body; on
// SEND_TIMEOUT the names are the request's and `body` is empty. Runs on the
// channel thread; hand longer work to a thread of your own.
using SendCallback =
    base::Callback<void(SEND_STATE state, const std::string& _interface,
                        const std::string& _method, const std::string& body, const ReqInfo& info)>;

// One request waiting for its response.
struct ReqInfo {
  int32_t sessionId = 0;
  std::string _interface;
  std::string _method;
  std::string data;  // the request body as given
  SendCallback callback;
};

}  // namespace nexalib

#endif  // VELKOR_INCLUDE_NEXALIB_REQ_INFO_H_
