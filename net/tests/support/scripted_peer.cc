#include "scripted_peer.h"

namespace net::testing {

CScriptedPeer::CScriptedPeer(Script script)
    : thread_([this, script = std::move(script)] {
        auto socket = listener_.Accept();
        try {
          script(socket);
        } catch (const boost::system::system_error&) {
          // The client went away mid-script; the test's own checks report that.
        }
      }) {}

CScriptedPeer::~CScriptedPeer() { thread_.join(); }

}  // namespace net::testing
