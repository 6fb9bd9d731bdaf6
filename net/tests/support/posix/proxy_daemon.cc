#include "proxy_daemon.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <boost/asio/ip/tcp.hpp>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "loopback.h"

extern char** environ;

namespace net::testing {

namespace {

bool Accepts(std::uint16_t port) {
  boost::asio::io_context context;
  boost::asio::ip::tcp::socket socket(context);
  boost::system::error_code error;
  socket.connect({boost::asio::ip::address_v4::loopback(), port}, error);
  return !error;
}

}  // namespace

CProxyDaemon::CProxyDaemon() : port_(UnusedPort()) {
  char pattern[] = "/tmp/net-proxy-XXXXXX";
  if (mkdtemp(pattern) != nullptr) directory_ = pattern;
}

std::unique_ptr<CProxyDaemon> CProxyDaemon::StartTinyproxy(const std::string& user,
                                                           const std::string& password) {
  std::unique_ptr<CProxyDaemon> daemon(new CProxyDaemon);
  std::string config = "Port " + std::to_string(daemon->port_) +
                       "\nListen 127.0.0.1\nTimeout 30\nMaxClients 20\nAllow 127.0.0.1\n"
                       "LogLevel Error\nDisableViaHeader Yes\nLogFile \"" +
                       daemon->PathOf("proxy.log") + "\"\n";
  if (!user.empty()) config += "BasicAuth " + user + " " + password + "\n";
  // -d keeps it in the foreground, so that the pid is the proxy's.
  if (!daemon->Launch(config, {"/usr/bin/tinyproxy", "-d", "-c", daemon->PathOf("proxy.conf")})) {
    return nullptr;
  }
  return daemon;
}

std::unique_ptr<CProxyDaemon> CProxyDaemon::StartDante() {
  std::unique_ptr<CProxyDaemon> daemon(new CProxyDaemon);
  std::string config = "logoutput: " + daemon->PathOf("proxy.log") +
                       "\ninternal: 127.0.0.1 port = " + std::to_string(daemon->port_) +
                       "\nexternal: 127.0.0.1\nsocksmethod: none\nclientmethod: none\n"
                       "user.privileged: root\nuser.unprivileged: nobody\n"
                       "client pass { from: 127.0.0.0/8 to: 0.0.0.0/0 }\n"
                       "socks pass { from: 127.0.0.0/8 to: 0.0.0.0/0 }\n";
  if (!daemon->Launch(config, {"/usr/sbin/danted", "-N1", "-f", daemon->PathOf("proxy.conf"),
                               "-p", daemon->PathOf("proxy.pid")})) {
    return nullptr;
  }
  return daemon;
}

bool CProxyDaemon::Launch(const std::string& config, std::vector<std::string> arguments) {
  if (directory_.empty()) return false;
  std::ofstream(PathOf("proxy.conf")) << config;
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  std::string outputPath = PathOf("proxy.out");
  posix_spawn_file_actions_addopen(&actions, 1, outputPath.c_str(), O_WRONLY | O_CREAT, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  int failed = posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) {
    pid_ = -1;
    return false;
  }
  for (int attempt = 0; attempt < 200; ++attempt) {
    if (Accepts(port_)) return true;
    if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
      pid_ = -1;
      return false;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  return false;
}

CProxyDaemon::~CProxyDaemon() {
  if (pid_ > 0) {
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
  }
  if (!directory_.empty()) {
    std::error_code ignored;
    std::filesystem::remove_all(directory_, ignored);
  }
}

}  // namespace net::testing
