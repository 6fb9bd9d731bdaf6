// The test gateway: the channel's peer and its address service, on loopback only.
//
//   gateway --port=0 --http-port=0 --port-file=/tmp/x/ports --control-file=/tmp/x/faults
//
// Writes "<port> <httpPort>" to the port file, or prints it without one, once both listen.
#include <unistd.h>

#include <array>
#include <boost/asio/io_context.hpp>
#include <boost/asio/posix/stream_descriptor.hpp>
#include <boost/asio/signal_set.hpp>
#include <boost/asio/steady_timer.hpp>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "accounts.h"
#include "address_service.h"
#include "control_file.h"
#include "gateway_options.h"
#include "gateway_server.h"
#include "rsa_private_key.h"

namespace {

// Written under another name first, so that a reader never sees half of it.
bool WritePortFile(const std::string& path, const std::string& text) {
  const std::string partial = path + ".partial";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) return false;
  }
  std::error_code error;
  std::filesystem::rename(partial, path, error);
  return !error;
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  std::optional<gateway::GatewayOptions> options =
      gateway::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), error);
  if (!options) {
    std::cerr << "gateway: " << error << "\n";
    return 2;
  }
  if (options->privateKeyFile.empty()) options->privateKeyFile = GATEWAY_DEFAULT_PRIVATE_KEY;
  const std::unique_ptr<gateway::RsaPrivateKey> key =
      gateway::RsaPrivateKey::Load(options->privateKeyFile);
  if (!key) {
    std::cerr << "gateway: no private key in " << options->privateKeyFile << "\n";
    return 2;
  }

  if (!options->accountsFile.empty() &&
      !gateway::GatewayAccounts().Load(options->accountsFile, error)) {
    std::cerr << "gateway: " << error << "\n";
    return 2;
  }

  boost::asio::io_context io;
  gateway::ControlFile control(options->controlFile, options->faultDirectives);
  gateway::GatewayServer server(io, control, *key);
  gateway::AddressService addressService(io, server, [&io] { io.stop(); });
  if (!server.Listen(options->port, error) || !addressService.Listen(options->httpPort, error)) {
    std::cerr << "gateway: " << error << "\n";
    return 1;
  }

  const std::string ports = std::to_string(server.port()) + " " +
                            std::to_string(addressService.port()) + "\n";
  if (options->portFile.empty()) {
    std::cout << ports << std::flush;
  } else if (!WritePortFile(options->portFile, ports)) {
    std::cerr << "gateway: cannot write " << options->portFile << "\n";
    return 1;
  }

  boost::asio::signal_set signals(io, SIGINT, SIGTERM);
  signals.async_wait([&io](boost::system::error_code, int) { io.stop(); });
  // A gateway whose test died without "/quit" still ends.
  boost::asio::steady_timer lifetime(io);
  if (options->maxLifeMs > 0) {
    lifetime.expires_after(std::chrono::milliseconds(options->maxLifeMs));
    lifetime.async_wait([&io](boost::system::error_code error) {
      if (!error) io.stop();
    });
  }
  // A gateway whose test is gone, however it ended, ends too: the test holds the other end
  // of the standard input.
  boost::asio::posix::stream_descriptor input(io);
  std::array<char, 64> drained;
  std::function<void()> readInput = [&] {
    input.async_read_some(boost::asio::buffer(drained),
                          [&](boost::system::error_code error, std::size_t) {
                            if (error) {
                              io.stop();
                            } else {
                              readInput();
                            }
                          });
  };
  if (options->endWithInput) {
    input.assign(::dup(STDIN_FILENO));
    readInput();
  }
  io.run();
  return 0;
}
