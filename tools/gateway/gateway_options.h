#pragma once

// What the gateway is told: its ports and files from the command line, and the faults it
// injects, from the command line and from a control file that may change while it runs.
//
// Fault directives ("key=value"; on the command line as "--key=value"):
//   delay=MS                   every answer waits MS milliseconds
//   delay:Interface/method=MS  answers to that call wait MS milliseconds
//   silence=Interface/method   that call is never answered (repeatable)
//   close-after=N              a connection is closed when its Nth frame arrives
//   corrupt=Interface/method   a frame with a wrong check byte goes out before the answer
//   oversize=Interface/method  instead of the answer, a length field above 16 MiB
//   vconn-code=N               result code of "ScSession"/"start" (0 opens)
//   reconnect-fails=1          every fast reconnect is refused
//   exchange-garbage=1         "NexaCore"/"exchangeKey" is answered with an unusable record
//   allot=LIST                 the address service's answer; "self" names this gateway
//   allot-status=N             the address service's HTTP status

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace gateway {

struct FaultSettings {
  int delayMs = 0;
  std::map<std::string, int, std::less<>> callDelayMs;  // by "Interface/method"
  std::set<std::string, std::less<>> silent;
  std::set<std::string, std::less<>> corruptBefore;
  std::set<std::string, std::less<>> oversizeInstead;
  int closeAfterFrames = 0;
  int vconnCode = 0;
  bool reconnectFails = false;
  bool exchangeGarbage = false;
  std::string allot = "self";
  int allotStatus = 200;

  int DelayFor(std::string_view call) const;
};

// Applies one "key=value" directive; false for an unknown key or a bad value.
[[nodiscard]] bool ApplyFaultDirective(FaultSettings& faults, std::string_view directive);

struct GatewayOptions {
  int port = 13000;      // 0 picks a free port
  int httpPort = 13080;  // address service and control; 0 picks a free port
  std::string portFile;  // receives "<port> <httpPort>\n" once both listen
  std::string controlFile;
  std::string privateKeyFile;
  int64_t maxLifeMs = 0;  // the gateway ends on its own after this long; 0 never
  bool endWithInput = false;  // the gateway ends when its standard input closes
  std::string accountsFile;  // the logon calls' accounts (accounts.h); none without
  std::vector<std::string> faultDirectives;
};

// "--port=N", "--http-port=N", "--port-file=PATH", "--control-file=PATH",
// "--private-key=PATH", "--max-life-ms=N", "--end-with-input=1", "--accounts=PATH" and the
// fault directives. Nothing, with
// `error` set, for anything else.
std::optional<GatewayOptions> ParseCommandLine(const std::vector<std::string>& args,
                                               std::string& error);

// "Interface/method", the key of the per-call directives.
std::string CallName(std::string_view _interface, std::string_view _method);

}  // namespace gateway
