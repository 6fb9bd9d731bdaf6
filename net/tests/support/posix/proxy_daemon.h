#pragma once

// Debian's proxy daemons, started on loopback for one test with their files in a temp dir.

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace net::testing {

class CProxyDaemon {
 public:
  // tinyproxy as an HTTP CONNECT and forwarding proxy; with a user, Basic authentication.
  static std::unique_ptr<CProxyDaemon> StartTinyproxy(const std::string& user = "",
                                                      const std::string& password = "");
  // danted as a SOCKS5 proxy without authentication.
  static std::unique_ptr<CProxyDaemon> StartDante();

  ~CProxyDaemon();
  CProxyDaemon(const CProxyDaemon&) = delete;
  CProxyDaemon& operator=(const CProxyDaemon&) = delete;

  std::uint16_t Port() const { return port_; }
  std::wstring PortText() const { return std::to_wstring(port_); }

 private:
  CProxyDaemon();  // makes the temp dir and picks the port
  std::string PathOf(const std::string& file) const { return directory_ + "/" + file; }
  // Writes `config` to the temp dir, runs `arguments` and waits until the port accepts.
  bool Launch(const std::string& config, std::vector<std::string> arguments);

  std::string directory_;
  std::uint16_t port_ = 0;
  pid_t pid_ = -1;
};

}  // namespace net::testing
