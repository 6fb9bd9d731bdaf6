// What the channel reports about the link and about one virtual connection.
#ifndef VELKOR_INCLUDE_NEXALIB_NEXA_LISTENER_H_
#define VELKOR_INCLUDE_NEXALIB_NEXA_LISTENER_H_

#include <cstdint>
#include <string>

namespace nexalib {

enum CONNECT_STATE : int32_t {
  CS_DISCONNECTED = 0,      // the link was lost
  CS_CONNECTED = 1,         // the link is up, or a virtual connection opened
  CS_CLOSED_BY_SERVER = 2,  // the server closed the virtual connection with a code
  CS_CLOSED = 3,            // the server closed the virtual connection normally
  CS_TIMEOUT = 4,           // opening the virtual connection timed out
  CS_FAILED = 5,            // no server could be reached, or the server refused the virtual connection
};

// Registered for one sessionId. Every call arrives on the channel thread; the
// message argument is always empty.
class INexaListener {
 public:
  virtual void OnConnectStatus(CONNECT_STATE /*state*/, const std::string& /*message*/) {}
  virtual void OnVConnectStatus(CONNECT_STATE /*state*/, const std::string& /*message*/) {}
  // A message the server sent on the listener's sessionId that is not a response.
  virtual void OnNotify(const std::string& /*_interface*/, const std::string& /*_method*/,
                        const std::string& /*data*/) {}

 protected:
  ~INexaListener() = default;
};

}  // namespace nexalib

#endif  // VELKOR_INCLUDE_NEXALIB_NEXA_LISTENER_H_
