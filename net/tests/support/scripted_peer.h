#pragma once

// A loopback peer that accepts one connection and runs a script on it on its own thread:
// a stand-in proxy whose every byte the test chooses.

#include <boost/asio/ip/tcp.hpp>
#include <functional>
#include <string>
#include <thread>

#include "loopback.h"

namespace net::testing {

class CScriptedPeer {
 public:
  using Script = std::function<void(boost::asio::ip::tcp::socket&)>;
  explicit CScriptedPeer(Script script);
  ~CScriptedPeer();  // waits for the script; the test must have connected
  CScriptedPeer(const CScriptedPeer&) = delete;
  CScriptedPeer& operator=(const CScriptedPeer&) = delete;

  std::uint16_t Port() const { return listener_.Port(); }
  std::wstring PortText() const { return std::to_wstring(Port()); }

 private:
  CLoopbackListener listener_;
  std::thread thread_;
};

}  // namespace net::testing
