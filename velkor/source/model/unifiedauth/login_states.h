// States and events of the login state machine.
#ifndef VELKOR_SOURCE_MODEL_UNIFIEDAUTH_LOGIN_STATES_H_
#define VELKOR_SOURCE_MODEL_UNIFIEDAUTH_LOGIN_STATES_H_

#include <cstdint>

namespace uauth {

enum LoginState : int32_t {
  ST_IDLE = 0,             // no login under way
  ST_CONNECTING = 1,       // channel Start issued
  ST_VCONNECTING = 2,      // CreateVConn issued
  ST_AUTHING = 3,          // "login" sent
  ST_LOGGED_IN = 4,        // logged in, virtual connection open
  ST_NEED_CHECK_CODE = 5,  // the server asked for a check code
  ST_NEED_2ND_AUTH = 6,    // the server asked for a second factor
  ST_2ND_AUTHING = 7,      // "login2" sent
  ST_FAILED = 8,           // left for ST_IDLE by the failure actions at once
  ST_DISCONNECTED = 9,     // left for ST_IDLE by DoDisconnect at once
};

enum LoginEvent : int32_t {
  EV_AUTH = 0,
  EV_CONNECTED = 1,
  EV_VCONNECTED = 2,
  EV_LOGIN_OK = 4,
  EV_NEED_CHECK_CODE = 5,
  EV_NEED_2ND_AUTH = 6,
  EV_SECURITY_AUTH = 7,
  EV_SECURITY_LOGIN_OK = 8,
  EV_RSP_ERROR = 9,    // an answer that does not unpack, or a failed request
  EV_CONN_ERROR = 10,  // the channel failed or was lost
  EV_VCONN_ERROR = 11, // the virtual connection was refused or lost
  EV_TIMEOUT = 12,     // opening the virtual connection or a request timed out
};

}  // namespace uauth

#endif  // VELKOR_SOURCE_MODEL_UNIFIEDAUTH_LOGIN_STATES_H_
