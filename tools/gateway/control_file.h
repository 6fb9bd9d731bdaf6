#pragma once

// The fault settings in force: the command line's directives, then the control file's,
// one "key=value" per line ('#' starts a comment). The file is read again whenever its
// text changed, so a test rewrites it to change the faults of a running gateway.

#include <string>
#include <vector>

#include "gateway_options.h"

namespace gateway {

class ControlFile {
 public:
  ControlFile(std::string path, std::vector<std::string> baseDirectives);

  // Lines that are not a known directive are reported on stderr and skipped.
  const FaultSettings& Current();

 private:
  void Rebuild();

  const std::string path_;
  const std::vector<std::string> base_directives_;
  std::string text_;  // the file as last read
  FaultSettings current_;
};

}  // namespace gateway
